#include "language.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

#include "base/say.h"

namespace tallix::window {

namespace {

bool japanese(const QLocale& locale) {
  return locale.language() == QLocale::Japanese;  // the texts are written in English
}

}  // namespace

void installTranslations(QCoreApplication& app, const QLocale& locale) {
  if (!japanese(locale)) return;
  for (const QString& name : {QStringLiteral("tallix"), QStringLiteral("qtbase")}) {
    auto* translator = new QTranslator(&app);
    // The program's own are built in; Qt's (its dialogs' buttons) come with Qt, when installed.
    const QString dir = name == QLatin1String("tallix")
                            ? QStringLiteral(":/i18n")
                            : QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QLocale(QLocale::Japanese), name, QStringLiteral("_"), dir)) {
      app.installTranslator(translator);
    }
  }
}

std::string settingsSample(const QLocale& locale) {
  QFile sample(japanese(locale) ? QStringLiteral(":/sample-tallix.ja.ini")
                                : QStringLiteral(":/sample-tallix.ini"));
  return sample.open(QIODevice::ReadOnly) ? sample.readAll().toStdString() : std::string();
}

QString translated(const Said& text) {
  return QString::fromStdString(text.in(
      [](const char* source) { return QCoreApplication::translate("Say", source).toStdString(); }));
}

}  // namespace tallix::window
