#pragma once
// Whether a spoken line goes before the others: whispers and the phrases of
// rules marked 優先 do.

namespace ruv {

enum class SpeechPriority { Normal, High };

}  // namespace ruv
