#include "commands.h"

#include <cerrno>
#include <cstring>

#include "archive.h"
#include "base/files.h"
#include "base/say.h"
#include "counting/figures.h"
#include "record.h"

namespace tallix {

namespace {

// Keeps the play in the past plays before a command ends it: the file it went to, or "" for a
// fresh play, which has nothing to keep. Throws FileError when it cannot be kept.
std::string keepPlay(const Counter& counter, const std::filesystem::path& pastPlays,
                     std::time_t now) {
  const RecordSnapshot play(counter);
  return play.empty() ? "" : archivePlay(play, pastPlays, now).string();
}

}  // namespace

CommandOutcome Command3_Click(Counter& counter, const std::filesystem::path& pastPlays,
                              const std::filesystem::path& record, std::time_t now) {
  CommandOutcome outcome;
  try {
    const std::string kept = keepPlay(counter, pastPlays, now);
    if (kept.empty()) {
      outcome.done = Say::tr("There was no play to clear.");
    } else {
      outcome.kept = Say::tr("The cleared play was kept as %1.", {kept});
    }
  } catch (const FileError& e) {
    outcome.failure =
        Say::tr("The play could not be kept (%1), so it was not cleared.", {saidOf(e)});
    return outcome;
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
  showRates(panel, counter.counters());  // "0.00%", "1/-", "1/-"
  for (TextId id : {TextId::bigMaxCoin, TextId::bigCoin, TextId::Text5pin}) panel.setText(id, "0");
  for (std::size_t i = 10; i-- > 0;) panel.setHistoryText(i, "");  // the colours stay
  panel.chart().reset();
  counter.bonuses().replace({});
  counter.payouts().replace(PayoutCounts{});
  if (!record.empty()) {
    std::error_code ignored;  // no record to delete, or one in use: the clear goes on
    std::filesystem::remove(record, ignored);
  }
  return outcome;
}

CommandOutcome Command4_Click(Counter& counter, FileDialog& dialog, const std::string& dataDir,
                              const std::filesystem::path& pastPlays, std::time_t now) {
  CommandOutcome outcome;
  const std::string path = dialog.showOpen(dataDir);
  if (path.empty()) return outcome;
  const std::filesystem::path file = pathOf(path);
  RecordContent record;
  try {
    // Only the automatic record may be missing (a fresh play); a chosen file must be there.
    if (!std::filesystem::exists(file)) throw FileError(file, std::strerror(ENOENT));
    record = readRecord(file);
  } catch (const std::runtime_error& e) {  // RecordError or FileError
    outcome.failure = Say::tr("%1.\nThe play was left as it was.", {saidOf(e)});
    return outcome;
  }
  std::string kept;
  try {
    kept = keepPlay(counter, pastPlays, now);
  } catch (const FileError& e) {
    outcome.failure =
        Say::tr("The play could not be kept (%1), so %2 was not loaded.", {saidOf(e), path});
    return outcome;
  }
  std::vector<Said> caveats;
  if (!record.misread.empty()) {
    caveats.push_back(Say::tr("in %1, %2", {path, joined(record.misread)}));
  }
  if (const Said cut = LoadRecord(counter, record); !cut.empty()) {
    caveats.push_back(Say::tr("%1 looks incomplete (%2); it was loaded as it is.", {path, cut}));
  }
  outcome.warning = joined(caveats);
  outcome.done = Say::tr("Loaded %1.", {path});
  if (!kept.empty()) outcome.kept = Say::tr("The play the load replaced was kept as %1.", {kept});
  return outcome;
}

CommandOutcome Command5_Click(const Counter& counter, FileDialog& dialog,
                              const std::string& dataDir) {
  CommandOutcome outcome;
  const std::string path = dialog.showSave(dataDir);
  if (path.empty()) return outcome;
  try {
    SaveRecord(counter, pathOf(path));
    outcome.done = Say::tr("Saved to %1.", {path});
  } catch (const FileError& e) {
    outcome.failure = saidOf(e);
  }
  return outcome;
}

}  // namespace tallix
