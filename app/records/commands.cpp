#include "commands.h"

#include <cerrno>
#include <cstring>

#include "archive.h"
#include "base/files.h"
#include "counting/figures.h"
#include "record.h"

namespace tallix {

CommandOutcome Command3_Click(Counter& counter, const std::filesystem::path& pastPlays,
                              const std::filesystem::path& record, std::time_t now) {
  CommandOutcome outcome;
  if (const RecordSnapshot play(counter); !play.empty()) {
    try {
      outcome.done =
          "The cleared play was kept as " + archivePlay(play, pastPlays, now).string() + ".";
    } catch (const FileError& e) {
      outcome.failure =
          std::string("The play could not be kept (") + e.what() + "), so it was not cleared.";
      return outcome;
    }
  }
  counter.counters() = Counters{};
  counter.UpdateKoyaku(0);
  Panel& panel = counter.panel();
  for (TextId id : {TextId::tosiKingaku, TextId::kankin1, TextId::kankin2, TextId::kankin3}) {
    panel.setText(id, yenText(0));
  }
  panel.setText(TextId::temochiCoin, "0");
  for (GroupId id : {GroupId::bigImage, GroupId::regImage, GroupId::outImage, GroupId::inImage,
                     GroupId::gameImage, GroupId::totalImage, GroupId::saImage}) {
    showGroup(panel, counter.counters(), id);  // all zeros; the minus bar hidden
  }
  panel.setText(TextId::dedamaritsu, "0.00%");
  panel.setText(TextId::bigKakuritsu, "1/-");
  panel.setText(TextId::regKakuritsu, "1/-");
  for (TextId id : {TextId::bigMaxCoin, TextId::bigCoin, TextId::Text5pin}) panel.setText(id, "0");
  for (std::size_t i = 10; i-- > 0;) panel.setHistoryText(i, "");  // the colours stay
  Chart& chart = panel.chart();
  chart.setRowCount(1);
  chart.setRow(1);
  chart.setValue("0");
  counter.bonuses().replace({});
  if (!record.empty()) {
    std::error_code ignored;  // no record to delete, or one in use: the clear goes on
    std::filesystem::remove(record, ignored);
  }
  return outcome;
}

CommandOutcome Command4_Click(Counter& counter, FileDialog& dialog, const std::string& programDir) {
  CommandOutcome outcome;
  const std::string path = dialog.showOpen(programDir);
  if (path.empty()) return outcome;
  try {
    // Only the automatic record may be missing (a fresh play); a chosen file must be there.
    if (!std::filesystem::exists(path)) throw FileError(path, std::strerror(ENOENT));
    if (const std::string cut = LoadRecord(counter, path); !cut.empty()) {
      outcome.warning = path + " looks incomplete (" + cut + "); it was loaded as it is.";
    }
  } catch (const std::runtime_error& e) {  // RecordError or FileError
    outcome.failure = std::string(e.what()) + "\nThe play was left as it was.";
  }
  return outcome;
}

CommandOutcome Command5_Click(const Counter& counter, FileDialog& dialog,
                              const std::string& programDir) {
  CommandOutcome outcome;
  const std::string path = dialog.showSave(programDir);
  if (path.empty()) return outcome;
  try {
    SaveRecord(counter, path);
    outcome.done = "Saved to " + path + ".";
  } catch (const FileError& e) {
    outcome.failure = e.what();
  }
  return outcome;
}

}  // namespace tallix
