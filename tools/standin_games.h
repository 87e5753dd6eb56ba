#pragma once
// The made-up games the stand-in emulator knows. Every title here is
// invented for ZEB's demo and tests. Clones name their parent; parents have
// an empty parent. Driver names are at most 8 characters. Makers are in
// UTF-8, as the emulator writes them (one is not ASCII); a year may hold a
// "?".

namespace standin {

struct Game {
  const char* Name;
  const char* Description;
  const char* Parent;
  const char* Year;
  const char* Maker;
};

constexpr Game Games[] = {
    {"astrobee", "Astro Bee (World)", "", "1983", "Hivemind Amusements"},
    {"astrobej", "Astro Bee (Japan)", "astrobee", "1983", "Hivemind Amusements"},
    {"barnstrm", "Barnstorm Brigade", "", "1987", "Cropduster Games"},
    {"barnstrj", "Barnstorm Brigade (Japan, rev A)", "barnstrm", "1987", "Cropduster Games"},
    {"beetroot", "Beetroot Bandits", "", "1985", "Root Cellar Soft"},
    {"blipblop", "Blip & Blop", "", "1990", "Pixel Pond"},
    {"blipblp2", "Blip & Blop 2: Blop's Revenge", "", "1992", "Pixel Pond"},
    {"bogwalk", "Bog Walker", "", "1984", "Marshland"},
    {"cactusjk", "Cactus Jack's Rodeo", "", "1986", "Dusty Trail"},
    {"candlewx", "Candle Wax Caper", "", "1988", "Wickworks"},
    {"cloudhop", "Cloud Hopper (set 1)", "", "1982", "Nimbus Electronics"},
    {"cloudhp2", "Cloud Hopper (set 2)", "cloudhop", "1982", "Nimbus Electronics"},
    {"crankit", "Crank It!", "", "1991", "Gearbox Fun"},
    {"dinodine", "Dino Diner", "", "1989", "Fossil Fare"},
    {"dizzyowl", "Dizzy Owl", "", "1983", "Nightshift"},
    {"drzap", "Dr. \"Zap\" Zoomer", "", "1984", "Voltage Toys"},
    {"drzapa", "Dr. \"Zap\" Zoomer (alternate)", "drzap", "1984", "Voltage Toys"},
    {"eelrace", "Eel Race; the Slippery Derby", "", "1987", "Tidepool"},
    {"fjordfgt", "Fjord Fighters", "", "1993", "Longship Arcade"},
    {"fluxbox", "Flux Box", "", "1990", "Capacitor Co."},
    {"foggyb", "Foggy Bottom", "", "1985", "Marshland"},
    {"gadgetgb", "Gadget Goblin", "", "1988", "Tinker Town"},
    {"glimmer", "Glimmer Quest", "", "1986", "Lantern Light"},
    {"glimmerb", "Glimmer Quest (bootleg)", "glimmer", "1986", "bootleg"},
    {"gravyt", "Gravy Train Express", "", "1989", "Saucepan"},
    {"hexhound", "Hex Hound", "", "1992", "Honeycomb"},
    {"hopscot", "Hopscotch Heroes", "", "1984", "Chalkboard"},
    {"icicle", "Icicle Alley", "", "1983", "Frostbyte"},
    {"jellyjam", "Jelly Jam (World)", "", "1991", "Wobble Works"},
    {"jellyjmu", "Jelly Jam (US)", "jellyjam", "1991", "Wobble Works"},
    {"kelpking", "Kelp King", "", "1988", "Soci\xC3\xA9t\xC3\xA9 des Algues"},
    {"lampost", "Lamppost Larry", "", "1985", "Streetwise"},
    {"lumberjv", "Lumber Jive", "", "198?", "Sawdust"},
    {"moonmop", "Moon Mop", "", "1982", "Crater Cleaners"},
    {"moonmopb", "Moon Mop (bootleg)", "moonmop", "1982", "bootleg"},
    {"nebnest", "Nebula Nest", "", "1990", "Starling"},
    {"noodlenj", "Noodle Ninja  -  \"Slurp\" Edition", "", "1993", "Broth Brothers"},
    {"orbitown", "Orbit Town", "", "1986", "Satellite Sims"},
    {"paprika", "Paprika Panic", "", "1984", "Spice Rack"},
    {"pebblemz", "Pebble Maze Mania", "", "1989", "Gravel Pit"},
    {"quasarq", "Quasar Quilt", "", "1985", "Stitchwork"},
    {"quasarq2", "Quasar Quilt (rev 2)", "quasarq", "1985", "Stitchwork"},
    {"radishrn", "Radish Run", "", "1988", "Root Cellar Soft"},
    {"rivetrv", "Rivet Riveter", "", "1983", "Ironside"},
    {"rocketrb", "Rocket Rabbit", "", "1987", "Burrow"},
    {"saltmine", "Salt Mine Sam", "", "1984", "Deep Shaft"},
    {"skeeter", "Skeeter Skimmer", "", "1986", "Pondlife"},
    {"snailrly", "Snail Rally (World)", "", "1991", "Slowpoke"},
    {"snailrlj", "Snail Rally (Japan)", "snailrly", "1991", "Slowpoke"},
    {"sprocket", "Sprocket Squad", "", "1990", "Gearbox Fun"},
    {"tangotnk", "Tango Tanks", "", "1988", "Dancefloor Defence"},
    {"teapot", "Teapot Tempest", "", "1985", "Kettle Corp."},
    {"teapotu", "Teapot Tempest (US; set 2)", "teapot", "1985", "Kettle Corp."},
    {"thimble", "Thimble Thunder", "", "1989", "Stitchwork"},
    {"tundrtrk", "Tundra Trek", "", "1992", "Frostbyte"},
    {"umbrlla", "Umbrella Umpire", "", "1986", "Drizzle"},
    {"vortexv", "Vortex Vandals", "", "1993", "Whirlpool"},
    {"waffle", "Waffle Warriors", "", "1990", "Griddle"},
    {"waffleo", "Waffle Warriors (older)", "waffle", "1989", "Griddle"},
    {"xylofone", "Xylophone Xpress", "", "1987", "Mallet"},
    {"yetiyoyo", "Yeti Yo Yo", "", "1984", "Snowdrift"},
    {"zephyrz", "Zephyr Zone", "", "1991", "Breeze"},
    {"zigzagzb", "Zig Zag Zebra", "", "1988", "Stripes"},
};

}  // namespace standin
