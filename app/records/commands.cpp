#include "commands.h"

#include "base/files.h"
#include "counting/figures.h"
#include "record.h"

namespace tallix {

void Command3_Click(Counter& counter, const std::string& appDir, const std::string& recordName) {
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
  std::error_code ignored;  // no record to delete, or one in use: the clear goes on
  std::filesystem::remove(appDir + recordName, ignored);
}

std::optional<std::string> Command4_Click(Counter& counter, FileDialog& dialog,
                                          const std::string& programDir) {
  const std::string path = dialog.showOpen(programDir);
  if (path.empty()) return std::nullopt;
  try {
    LoadRecord(counter, path);
  } catch (const std::runtime_error& e) {  // RecordError or FileError
    return std::string(e.what());
  }
  return std::nullopt;
}

std::optional<std::string> Command5_Click(const Counter& counter, FileDialog& dialog,
                                          const std::string& programDir) {
  const std::string path = dialog.showSave(programDir);
  if (path.empty()) return std::nullopt;
  try {
    SaveRecord(counter, path);
  } catch (const FileError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace tallix
