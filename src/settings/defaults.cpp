// The settings as they are before the user has changed anything.

#include "core/state.h"
#include "settings/settings.h"

namespace zeb {

void SetDefaultSettings() {
  MamePath = "";
  RomPaths = "roms";
  SamplePaths = "samples";
  ExeName = "mame.exe";
  AutoFrameskip = 1;
  FramesToSkip = 0;
  VerticalSync = 0;
  TripleBuffer = 0;
  WindowedDisplay = 1;
  MaximizeWindow = 1;
  HardwareStretch = 1;
  Scanlines = 0;
  Throttle = 1;
  RotateRight = 0;
  RotateLeft = 0;
  FlipScreenLR = 0;
  FlipScreenUD = 0;
  Verbose = 0;
  SampleRate = 2;
  Samples = 1;
  ResampleFilter = 1;
  Sound = 1;
  Volume = 0;
  Resolution = 0;
  ScreenEffect = 0;
  AutoSwitchRes = 1;
  AutoSwitchDepth = 1;
  KeepScreenAspect = 1;
  UseGameRefresh = 0;
  UseScreenRefresh = 0;
  FramesToRun = 0;
  AntiAlias = 1;
  JoystickType = 1;
  ScreenDepth = 0;
  Brightness = 1.0;
  Gamma = 1.0;
  Translucency = 1;
  BeamWidth = 1.0;
  Flicker = 0;
  Mouse = 1;
  GameArtwork = 1;
  GameCheats = 1;
  PauseAfterMame = 1;
  SteadyKey = 0;
  ListFilter = 1;
  UpdateCaptions();
}

}  // namespace zeb
