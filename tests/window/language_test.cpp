// The player's language: the Japanese translations are complete and keep every placeholder, a
// core text is shown translated with its arguments, and the program picks the language from
// the locale.
#include "window/language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include "base/say.h"
#include "base/settings.h"
#include "base/translations.h"
#include "port/input_kinds.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix::testing {
namespace {

TEST(Language, EveryTextIsTranslatedToJapaneseWithItsPlaceholders) {
  QFile ts(TALLIX_SOURCE_DIR "/translations/tallix_ja.ts");
  ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&ts);
  QString source;
  int messages = 0;
  const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("source")) source = xml.readElementText();
    if (xml.name() != QLatin1String("translation")) continue;
    ++messages;
    SCOPED_TRACE(source.toStdString());
    EXPECT_TRUE(xml.attributes().value(QLatin1String("type")).isEmpty());  // not unfinished
    const QString translation = xml.readElementText();
    for (const auto& match : placeholder.globalMatch(source)) {
      EXPECT_TRUE(translation.contains(match.captured())) << match.captured().toStdString();
    }
  }
  EXPECT_GT(messages, 40);
}

// tallix.exe reads the translations from a table the build makes of the same file: every text
// of the file is there, exactly as Qt's translator gives it (entities, line ends, spaces).
TEST(Language, TheBuiltInTableHoldsEveryTranslationAsQtGivesIt) {
  QTranslator qt;
  ASSERT_TRUE(qt.load(QStringLiteral(":/i18n/tallix_ja.qm")));
  QFile ts(TALLIX_SOURCE_DIR "/translations/tallix_ja.ts");
  ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&ts);
  QString context, source;
  std::size_t messages = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    if (xml.name() == QLatin1String("source")) source = xml.readElementText();
    if (xml.name() != QLatin1String("translation")) continue;
    ++messages;
    SCOPED_TRACE(source.toStdString());
    const char* table = tallix::japanese(context.toStdString(), source.toStdString());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(
        table,
        qt.translate(context.toUtf8().constData(), source.toUtf8().constData()).toStdString());
  }
  EXPECT_EQ(japaneseTexts().size(), messages);
  EXPECT_EQ(tallix::japanese("Say", "no such text"), nullptr);
}

// A text said keeps how it was said for as long as it is held, however many others are said
// meanwhile: a notice drawn again an hour later is in the player's language still.
TEST(Language, ACoreTextIsShownInThePlayersLanguageWithItsArguments) {
  const Said why = Say::tr("is not a record: it has no [%1] section", {"data"});
  const Said text =
      Say::tr("%1 could not be loaded (%2); it was kept as %3.", {"hist.log", why, "hist.log.bad"});
  EXPECT_EQ(window::translated(text).toStdString(), text.english());  // without a translator
  QTranslator japanese;
  ASSERT_TRUE(japanese.load(QStringLiteral(":/i18n/tallix_ja.qm")));
  QCoreApplication::installTranslator(&japanese);
  for (int i = 0; i < 5000; ++i) Say::tr("%1 changes of the input were lost", {std::to_string(i)});
  EXPECT_EQ(window::translated(text).toStdString(),
            "hist.log を読み込めませんでした（[data] セクションがないので記録ファイルではありませ"
            "ん）。hist.log.bad として残しました。");
  EXPECT_EQ(window::translated("/a/path").toStdString(), "/a/path");  // not said: as it is
  // A list said piece by piece reads as one list.
  EXPECT_EQ(window::translated(inputKindNames()).toStdString(),
            "port、auto、parport、serial、usbio、gpio");
  QCoreApplication::removeTranslator(&japanese);
}

TEST(Language, TheProgramSpeaksTheLocalesLanguage) {
  const struct {
    const char* lang;
    const char* args;
    int status;
    const char* out;
    const char* err;
  } rows[] = {
      {"C", "--bogus", 2, "", "tallix: unknown argument \"--bogus\"\nusage: tallix"},
      {"ja_JP.UTF-8", "--bogus", 2, "", "tallix: 不明な引数 \"--bogus\"\n使い方: tallix"},
      {"en_US.UTF-8", "--help", 0, "usage: tallix", ""},
      {"ja_JP.UTF-8", "--help", 0, "使い方: tallix", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.lang) + " " + row.args);
    const auto r = run(std::string("env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=") + row.lang +
                       " " TALLIX_PROGRAM " " + row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out.rfind(row.out, 0), 0u) << r.out;
    EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << r.err;
  }
}

// The settings a first run makes say the same in both languages: only the comments and the
// 5-pin line's caption differ.
TEST(Language, TheSampleSettingsAreTheSameInJapanese) {
  TempDir dir;
  Settings read[2];
  const QLocale locales[] = {QLocale(QLocale::English), QLocale(QLocale::Japanese)};
  for (int i = 0; i < 2; ++i) {
    writeBytes(dir / "tallix.ini", window::settingsSample(locales[i]));
    const SettingsLoad load = loadSettings(dir / "tallix.ini");
    EXPECT_TRUE(load.messages.empty());
    read[i] = load.settings;
  }
  EXPECT_EQ(read[0].name5pin, "Replay");
  EXPECT_EQ(read[1].name5pin, "リプレイ");
  read[1].name5pin = read[0].name5pin;
  EXPECT_EQ(read[0].rate, read[1].rate);
  EXPECT_EQ(read[0].koyaku, read[1].koyaku);
  EXPECT_EQ(read[0].koyakuG, read[1].koyakuG);
  EXPECT_EQ(read[0].bigSetCoin, read[1].bigSetCoin);
  EXPECT_EQ(read[0].data5pinEnabled, read[1].data5pinEnabled);
}

}  // namespace
}  // namespace tallix::testing
