// Which of today's emulator's options decides whether it takes each switch
// of the command line (see command_options.cpp for the switches and their
// slots), and what takes the place of the three it knows by another name.

#include "emulator/option_names.h"

namespace zeb {

namespace {

constexpr SwitchName Table[] = {
    {"-noafs", "autoframeskip", {}, {}},
    {"-fs", "frameskip", {}, {}},
    {"-waitvsync", "waitvsync", {}, {}},
    {"-tb", "tb", {}, {}},
    {"-w", "window", {}, {}},
    {"-nomax", "maximize", {}, {}},
    {"-nohws", "nohws", {}, {}},
    {"-sl", "sl", {}, {}},
    {"-nothrottle", "throttle", {}, {}},
    {"-ror", "ror", {}, {}},
    {"-rol", "rol", {}, {}},
    {"-flipx", "flipx", {}, {}},
    {"-flipy", "flipy", {}, {}},
    {"-sr", "samplerate", {}, {}},
    {"-nosamples", "samples", {}, {}},
    {"-noresamplefilter", "noresamplefilter", {}, {}},
    // "sound" is no longer on or off but the output method.
    {"-nosound", "nosound", "-sound none", {"sound"}},
    {"-vol", "volume", {}, {}},
    {"-resolution", "resolution", {}, {}},
    {"-effect", "effect", {}, {}},
    {"-noaa", "noaa", {}, {}},
    {"-nojoy", "joystick", {}, {}},
    {"-hotrod", "hotrod", {}, {}},
    {"-hotrodse", "hotrodse", {}, {}},
    {"-notl", "notl", {}, {}},
    {"-beam", "beam", "-beam_width_min % -beam_width_max %", {"beam_width_min", "beam_width_max"}},
    {"-flicker", "flicker", {}, {}},
    {"-nomouse", "mouse", {}, {}},
    {"-noart", "noart", {}, {}},
    {"-c", "cheat", {}, {}},
    {"-fsb", "fsb", "-brightness %", {"brightness"}},
    {"-gamma", "gamma", {}, {}},
    {"-noswitchres", "switchres", {}, {}},
    {"-noswitchbpp", "noswitchbpp", {}, {}},
    {"-matchrefresh", "matchrefresh", {}, {}},
    {"-syncrefresh", "syncrefresh", {}, {}},
    {"-ftr", "ftr", {}, {}},
    {"-noka", "keepaspect", {}, {}},
    {"-steadykey", "steadykey", {}, {}},
    {"-rp", "rompath", {}, {}},
    {"-verbose", "verbose", {}, {}},
};

}  // namespace

const std::span<const SwitchName> SwitchNames{Table};

const SwitchName* FindSwitchName(std::string_view option) {
  for (const SwitchName& row : Table) {
    if (row.Switch == option) return &row;
  }
  return nullptr;
}

}  // namespace zeb
