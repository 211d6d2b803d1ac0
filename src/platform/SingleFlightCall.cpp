#include "platform/SingleFlightCall.h"

#include <memory>
#include <thread>
#include <utility>

namespace trvx {

SingleFlightCall::SingleFlightCall(std::function<void()> call) : call_(std::move(call)) {}

bool SingleFlightCall::RunWithin(std::chrono::milliseconds limit) {
    std::shared_future<void> call;
    {
        std::lock_guard lock(mutex_);
        const bool ended = !underWay_.valid() ||
                           underWay_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        if (ended) {
            // The thread keeps what it needs: it may outlive this object.
            auto done = std::make_shared<std::promise<void>>();
            underWay_ = done->get_future().share();
            std::thread([call = call_, done] {
                try {
                    call();
                } catch (...) {
                    // Ended all the same; what it came to is the caller's to find out.
                }
                done->set_value();
            }).detach();
        }
        call = underWay_;
    }
    return call.wait_for(limit) == std::future_status::ready;
}

} // namespace trvx
