// Asks the game's sound output for one cue file per line of standard input, as the game asks for
// its cues, and answers "asked PATH" once the call has returned, so that a test on a real sound
// server (stopcue.sh) knows what the output has been told before it looks at the server. The end of
// the input closes the output, as the end of the game does.

#include <iostream>
#include <string>

#include "platform/pulse/PulseAudioOutput.h"

int main() {
    quibbix::PulseAudioOutput output("quibbix-cue-requests");
    std::string path;
    while (std::getline(std::cin, path)) {
        output.playFile(path);
        std::cout << "asked " << path << std::endl;
    }
    return 0;
}
