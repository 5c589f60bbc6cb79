// SectionAnswers - every section reader's answer and output as one text, the
// outputs pre-filled so that untouched ones show: settings that read alike
// give the same text. `get_switch(position, value)` reads switch 0 to 3.
#ifndef FENNIMAR_TESTS_SUPPORT_SECTIONANSWERS_H_
#define FENNIMAR_TESTS_SUPPORT_SECTIONANSWERS_H_

#include <sstream>
#include <string>
#include <vector>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::testing {

template <typename Settings, typename GetSwitch>
std::string SectionAnswers(Settings& settings, GetSwitch get_switch) {
  std::ostringstream out;
  std::vector<_Fennimar_AppItem_> apps;
  out << "apps " << settings.GetApplicationsList(apps);
  for (const auto& a : apps)
    out << " [" << a.key.ToUtf8() << '|' << a.path.ToUtf8() << '|' << a.parameter.ToUtf8() << '|'
        << a.descriptionName.ToUtf8() << ']';
  _Fennimar_Config_ c{-1, -1, -1, -1};
  out << "\nconfig " << settings.GetConfig(c) << ' ' << c.launchcode << ' ' << c.mouseHook << ' '
      << c.soundEffect << ' ' << c.lightEffect;
  for (int position = 0; position < 4; ++position) {
    int value = -1;
    out << "\nswitch " << get_switch(position, value) << ' ' << value;
  }
  _Background_Config_ b{u"-", -1};
  out << "\nbackground " << settings.GetBackgroundConfig(b) << ' ' << b.pictureFolder.ToUtf8()
      << ' ' << b.displaySequence;
  std::vector<_VDESKTOPINFO_> ws;
  out << "\nworkspaces " << settings.GetWorkspcaeConfig(ws);
  for (const auto& w : ws)
    out << " [" << w.key << '|' << w.name.ToUtf8() << '|' << w.styleID << '|'
        << w.mouseStyle.ToUtf8() << '|' << w.emRecylePath.ToUtf8() << '|' << w.fuRecylePath.ToUtf8()
        << '|' << w.mouseNo << '|' << w.recyleNo << '|' << w.useTarsel << ']';
  return out.str();
}

}  // namespace fennimar::testing

#endif  // FENNIMAR_TESTS_SUPPORT_SECTIONANSWERS_H_
