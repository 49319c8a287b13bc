#pragma once
// The kinds of message box and the answer to a question, for every part that asks.

namespace ruv {

// The kind of an OK message box.
enum class MessageKind {
    Warning,      // warning box: a refused command
    Information,  // information box
    Plain,        // plain box with the application title: results
};

// The user's answer to a yes/no (or OK/キャンセル) question.
enum class Answer { Yes, No };

}  // namespace ruv
