// Which desktop runs: desktops set XDG_CURRENT_DESKTOP to a list such as
// "ubuntu:GNOME" or "Budgie:GNOME"; older display managers only set
// DESKTOP_SESSION.
#include <cstdlib>
#include <string>
#include <string_view>

#include "src/platform/desktop/DesktopLinks.h"

namespace fennimar::platform::desktop {
namespace {

struct Name {
  std::string_view name;  // lower case
  Desktop desktop;
};

// Desktops built on GNOME's background settings answer as GNOME.
constexpr Name kNames[] = {
    {"gnome", Desktop::kGnome},
    {"ubuntu", Desktop::kGnome},
    {"unity", Desktop::kGnome},
    {"budgie", Desktop::kGnome},
    {"budgie-desktop", Desktop::kGnome},
    {"pantheon", Desktop::kGnome},
    {"gnome-classic", Desktop::kGnome},
    {"x-cinnamon", Desktop::kCinnamon},
    {"cinnamon", Desktop::kCinnamon},
    {"mate", Desktop::kMate},
    {"xfce", Desktop::kXfce},
    {"kde", Desktop::kPlasma},
    {"plasma", Desktop::kPlasma},
    {"plasmawayland", Desktop::kPlasma},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

Desktop Known(std::string_view name) {
  const std::string lower = Lower(name);
  for (const Name& known : kNames) {
    if (known.name == lower) return known.desktop;
  }
  return Desktop::kNone;
}

// The first known name in a colon-separated list.
Desktop FirstKnown(const char* list) {
  std::string_view rest = list ? list : "";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const Desktop desktop = Known(rest.substr(0, colon));
    if (desktop != Desktop::kNone) return desktop;
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  return Desktop::kNone;
}

bool LinkTurnedOff() {
  const char* off = std::getenv("FENNIMAR_NO_DESKTOP");
  return off != nullptr && *off != '\0' && std::string_view(off) != "0";
}

}  // namespace

Desktop SessionDesktop() {
  if (LinkTurnedOff()) return Desktop::kNone;
  const Desktop current = FirstKnown(std::getenv("XDG_CURRENT_DESKTOP"));
  return current != Desktop::kNone ? current : FirstKnown(std::getenv("DESKTOP_SESSION"));
}

}  // namespace fennimar::platform::desktop
