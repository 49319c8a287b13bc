#pragma once

class QWidget;

namespace ruv {

enum class TopMost { Off, On };

// Puts a top-level window into the top-most band or takes it out, without
// hiding, moving or resizing it.
void setTopMost(QWidget& window, TopMost state);

}  // namespace ruv
