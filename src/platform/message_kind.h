#pragma once

// The three kinds of message box the program shows: errors with OK and the
// exclamation icon, questions with Yes and No, notices with the
// information icon. Every one is captioned "事業概況書".
enum class MessageKind { kError, kQuestion, kInformation };
