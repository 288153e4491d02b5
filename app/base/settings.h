// The settings of a counting station, read once at start-up from tallix.ini in the program
// directory and never written.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile.h"
#include "say.h"

namespace tallix {

// [serve]: the live view of the figures for browsers on this machine or, with an address other
// than the loopback one, on the network.
struct ServeSettings {
  std::uint16_t port = 0;             // 0: not served unless the command line asks
  std::string address = "127.0.0.1";  // an IP address of this machine; 0.0.0.0 for all
  // An origin ("https://overlay.example") whose pages may read the figures; "" for none.
  std::string allowOrigin;
};

// The port number of a text that is exactly one, 1..65535; nullopt for any other text.
std::optional<std::uint16_t> parsePortNumber(std::string_view text);

// The port of the live view without a port on the command line or in the settings.
inline constexpr std::uint16_t kDefaultServePort = 8255;

// The port the live view is served on, 0 for none: --serve=PORT's, else [serve] port=, else
// the default when the command line asks for the live view (commandLine 0: --serve alone).
std::uint16_t servePort(std::optional<std::uint16_t> commandLine, const ServeSettings& settings);

// A pachislot machine runs at one of six settings, each with its own odds.
inline constexpr std::size_t kSettingCount = 6;

// [estimate]: what the setting estimate of a real play is made against.
struct EstimateSettings {
  // The description of the machine played, with its settings' odds (machine/
  // machine_description.h); machine= names it relative to the folder of tallix.ini. "" for the
  // built-in typical machine.
  std::string machine;
  // How likely each setting is before the play; the same for all unless prior= says.
  std::array<double, kSettingCount> prior{1, 1, 1, 1, 1, 1};
};

// [window]: how the panel is shown.
struct WindowSettings {
  bool fullscreen = false;  // fullscreen= is exactly "1": the panel scaled to the whole screen
};

struct Settings {
  std::int16_t portAddr = 0;              // base address of the parallel port (its bit pattern)
  std::array<double, 3> rate{};           // exchange rates rate1..rate3, coins per 100 yen
  std::array<std::int16_t, 3> koyaku{};   // koyaku1..3: coins paid by small win ("koyaku") 1..3
  std::array<std::int16_t, 3> koyakuG{};  // koyaku1g..3g: game window of small win 1..3
  std::int32_t bigSetCoin = 0;            // big/count: coins credited when a BIG starts
  bool data5pinEnabled = false;           // data5pin/enabled is exactly "1"
  std::string name5pin;                   // data5pin/name: caption of the 5-pin count
  double payout = 0;  // graph/payout: a machine's payout rate in percent for the coin graph's
                      // expected-value line; 0 when there is none
  ServeSettings serve;
  EstimateSettings estimate;
  WindowSettings window;
};

struct SettingsLoad {
  Settings settings;
  // One message per value that does not fit its field (that field is left at 0) or is read as
  // something else, per section or key that is not read, and when no rate is given.
  std::vector<Said> messages;
  // The file as it was read, for the sections that other modules read ([input]).
  ProfileFile file;
};

// Reads every setting in start-up order from the file (the settings file of base/places.h).
// Never throws: an absent file gives all zeros, an unreadable one the same and a message.
SettingsLoad loadSettings(const std::filesystem::path& iniPath);

// The panel's caption of an exchange rate: "5枚" for 5 coins per 100 yen.
std::string rateLabel(double rate);

// [input] is read by the inputs' reader (port/input_settings.h), which names its own unknown
// keys; loadSettings names every section that neither reads.
inline constexpr std::string_view kInputSection = "input";

// "tallix.ini line 12": the line of a file that a message is about.
Said placeIn(std::string file, std::size_t line);

// Adds a message for each key of the section that is not among `known` (in any letter case),
// once a key, with its line.
void nameUnknownKeys(const ProfileFile& ini, const std::filesystem::path& iniPath,
                     std::string_view section, const std::vector<std::string_view>& known,
                     std::vector<Said>& messages);

// "0" for the empty text, else the text itself: the pass the koyaku keys go through before
// their number is read.
std::string_view NullToZero(std::string_view value);

}  // namespace tallix
