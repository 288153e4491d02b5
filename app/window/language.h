// The player's language: Japanese on a Japanese locale (ja_*), English otherwise. The panel's
// captions are the design's own and stay as they are; every message, notice, question and help
// text the program adds is translated (Qt Linguist: translations/tallix_ja.ts). The core's
// texts come as English made by Say::tr (base/say.h); translated() shows them in the player's
// language.
#pragma once

#include <QLocale>
#include <QString>
#include <string>

#include "base/say.h"

class QCoreApplication;

namespace tallix::window {

// Installs the translations for the locale's language into the application.
void installTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

// The settings file a first run makes: the commented sample, built into the program, in the
// locale's language.
std::string settingsSample(const QLocale& locale = QLocale::system());

// A text of the core in the player's language.
QString translated(const Said& text);

}  // namespace tallix::window
