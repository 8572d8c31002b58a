#pragma once

#include <string>
#include <string_view>

// The runtime services the game core calls, all in one place. The program provides real ones
// (over Qt and the sound server, see window/main.cpp); the tests provide scripted ones.
namespace quibbix {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A fresh uniform number r with 0 <= r < 1.
    virtual double nextUniform() = 0;
};

enum class Answer { Yes, No };

class QuestionBox {
  public:
    virtual ~QuestionBox() = default;
    // Modal yes/no question with the question-mark icon; Yes is the default button.
    virtual Answer ask(std::string_view message, std::string_view title) = 0;
};

class ProgramDirectory {
  public:
    virtual ~ProgramDirectory() = default;
    // The directory that holds the program file.
    virtual std::string path() const = 0;
};

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // Starts playing a sound file and returns at once; a file that cannot be played is passed over.
    virtual void playFile(const std::string& path) = 0;
};

enum class Cue { Roll, Shake, DieClick, Cheer, Reset };

// Plays the sound of a cue in the background; never waited for, never fails visibly. The sound
// follows the frame that shows what the same move changed (the program's output sees to that, so
// the game asks for a cue where the move asks for it).
class CuePlayer {
  public:
    virtual ~CuePlayer() = default;
    virtual void play(Cue cue) = 0;
};

// What the game reaches the world through.
struct Services {
    RandomSource& random;
    QuestionBox& questions;
    CuePlayer& sounds;
};

}  // namespace quibbix
