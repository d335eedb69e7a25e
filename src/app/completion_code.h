#pragma once

#include <cstdint>

// What the program tells the host at its end.
enum CompletionCode : std::int32_t {
    kCompletionWritten = 0,  // the report was written
    kCompletionStopped = 1,  // the run stopped without an error
    kCompletionFailed = 2,   // the run failed
};
