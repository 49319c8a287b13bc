#pragma once
// Where the log reader hands each line: line routing in the program.

#include <string_view>

namespace ruv {

class LineSink {
  public:
    virtual ~LineSink() = default;
    // raw: one line of the log, its line feed, CR LF pairs and "&nbsp"
    // entities already removed (do not remove them again). May throw: the
    // reader reports the failure and goes on with the next line.
    virtual void routeLine(std::string_view raw) = 0;
};

}  // namespace ruv
