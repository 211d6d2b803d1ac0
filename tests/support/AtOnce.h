#pragma once
// A call that must answer at once while whatever it might wait for hangs.

#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <future>

namespace trvx::test {

// Makes `call` on a thread of its own and fails unless it returns within the wait's deadline
// (a call that waits for what hangs waits for good then); `letGo` ends the hang when it does
// not, so the test still ends. The call's answer.
template <class Call, class LetGo> auto AtOnce(Call call, LetGo letGo) {
    auto answer = std::async(std::launch::async, call);
    const bool prompt = answer.wait_for(kWaitDeadline) == std::future_status::ready;
    if (!prompt)
        letGo();
    EXPECT_TRUE(prompt) << "the call waited for what hangs";
    return answer.get();
}

} // namespace trvx::test
