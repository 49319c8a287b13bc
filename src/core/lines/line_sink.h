#pragma once
// Where the log reader hands each line: line routing in the program.

#include <stdexcept>
#include <string_view>

namespace ruv {

// Thrown by a sink for an experience-gain line whose amount is not an integer
// (two writes interleaved, a game that stopped mid-line): the line is shown,
// its gain is not counted. A fault of that line, not of the program.
class UncountedGain : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class LineSink {
  public:
    virtual ~LineSink() = default;
    // raw: one line of the log, its line feed, CR LF pairs and "&nbsp"
    // entities already removed (do not remove them again). May throw: the
    // reader names a line that threw UncountedGain, reports any other failure,
    // and goes on with the next line.
    virtual void routeLine(std::string_view raw) = 0;
};

}  // namespace ruv
