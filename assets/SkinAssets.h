#pragma once

// Where the pictures and the font of the skin live once they are built into the program, the names
// of the sound files, and the few colours that the window code must agree on with the painted
// pictures. Plain C++: nothing here needs a Qt header. The pictures come from the library target
// quibbix_skin; the sounds are files beside the program (quibbix_place_sounds in
// assets/CMakeLists.txt puts them there). This is the one list of both: assets/CMakeLists.txt reads
// the ":/skin/....png" paths and the "....wav" names below to build and install them.
namespace quibbix::skin {

struct Rgb {
    int red;
    int green;
    int blue;
};

// The table the buttons stand on; every button picture's background is exactly this colour.
inline constexpr Rgb FeltGreen{0, 102, 0};
// Pixel (0, 0) of the board: everything of this colour is cut out of the window.
inline constexpr Rgb BoardKey{153, 102, 153};
// Pixel (0, 0) of every die face and of the banner: the corners of a die, the banner's background
// and the holes inside its letters.
inline constexpr Rgb DieKey{0, 0, 0};
inline constexpr Rgb BannerKey{0, 0, 0};
// The ink of the scorecard: the painted category names, and the score digits, box frames and
// divider drawn over the white card. Fixed here, so a dark desktop theme cannot turn them light.
inline constexpr Rgb ScoreInk{0, 0, 0};
// The focus mark of the keyboard: the amber of the lit Reset button, edged in the dark of its
// letters, so that it stands out on the felt, on the white card and on a red die alike.
inline constexpr Rgb FocusGlow{255, 200, 20};
inline constexpr Rgb FocusEdge{10, 8, 0};

inline constexpr const char* Board = ":/skin/board.png";
// The picture of a die showing `pips` (1 to 6).
constexpr const char* DieFace(int pips) {
    constexpr const char* faces[] = {
        ":/skin/die1.png", ":/skin/die2.png", ":/skin/die3.png",
        ":/skin/die4.png", ":/skin/die5.png", ":/skin/die6.png",
    };
    return faces[pips - 1];
}
inline constexpr const char* Banner = ":/skin/banner.png";
inline constexpr const char* Roll = ":/skin/roll.png";
inline constexpr const char* RollHover = ":/skin/roll_hover.png";
inline constexpr const char* Reset = ":/skin/reset.png";
inline constexpr const char* ResetHover = ":/skin/reset_hover.png";
inline constexpr const char* Quit = ":/skin/quit.png";
inline constexpr const char* QuitHover = ":/skin/quit_hover.png";
inline constexpr const char* Icon = ":/skin/icon.png";
inline constexpr const char* NoEntry = ":/skin/noentry.png";
inline constexpr int NoEntryHotSpotX = 16;
inline constexpr int NoEntryHotSpotY = 15;

// The heavy free font built into the program for the score boxes, used where the preferred face
// is missing. The family is the name the font database reports after loading ScoreFontFile.
inline constexpr const char* ScoreFontFile = ":/fonts/Lato-Black.ttf";
inline constexpr const char* ScoreFontFamily = "Lato Black";

// Every picture above, for code that loads or checks them all.
inline constexpr const char* AllPictures[] = {
    Board, DieFace(1), DieFace(2), DieFace(3), DieFace(4), DieFace(5), DieFace(6), Banner,
    Roll,  RollHover,  Reset,      ResetHover, Quit,       QuitHover,  Icon,       NoEntry,
};

// The file of each cue's sound (the case matters).
inline constexpr const char* RollSound = "rolldice.wav";
inline constexpr const char* ShakeSound = "Shakedice.wav";
inline constexpr const char* DieClickSound = "softplop.wav";
inline constexpr const char* CheerSound = "cheer.wav";
inline constexpr const char* ResetSound = "pop2.wav";

}  // namespace quibbix::skin
