#pragma once
// The set-up most tests share: a console driven by a test backend, and the
// records of one run at their start values (the settings record and the
// captions at zero and empty, as before anything sets them).

#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/scripted_backend.h"
#include "settings/settings.h"
#include "ui/session.h"

namespace zeb::testing_support {

template <typename Backend = ScriptedBackend>
class ProgramTest : public ::testing::Test {
 protected:
  Backend backend;
  Console console{&backend};
  Session session{console};

  // The records, by the names the program gives them.
  Settings& settings = session.settings;
  GameTable& games = session.games;
  GamesList& list = session.list;
  Viewer& viewer = session.viewer;
  Navigation& navigation = session.navigation;
  OptionsScreen& options = session.options;
  Dialog& dialog = session.dialog;
  Favourites& favourites = session.favourites;
  PlayedGames& played = session.played;

  // The screen as the console holds it.
  std::string RowText(int row) const { return zeb::RowText(console.Screen, row); }
  std::string TextAt(int column, int row, int length) const { return zeb::TextAt(console.Screen, column, row, length); }
  unsigned char AttrAt(int column, int row) const { return zeb::AttrAt(console.Screen, column, row); }
  int ForegroundAt(int column, int row) const { return zeb::ForegroundAt(console.Screen, column, row); }
  int BackgroundAt(int column, int row) const { return zeb::BackgroundAt(console.Screen, column, row); }
};

}  // namespace zeb::testing_support
