// The queue of posted window messages that X does not have: X11 adapters keep Win32's PostMessage order.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <utility>

namespace zorun::x11 {

/// Messages in the order they were posted. Message is any record with a `window` member whose default
/// value means no window.
template <typename Message>
class PostedMessages {
public:
    using Window = decltype(Message::window);

    void post(const Message& message) { queue_.push_back(message); }

    bool empty() const { return queue_.empty(); }

    /// The oldest message for the window, or the oldest of all for no window, as PeekMessage filters.
    std::optional<Message> take(Window window)
    {
        const auto it = std::find_if(queue_.begin(), queue_.end(),
                                     [&](const Message& m) { return window == Window{} || m.window == window; });
        if (it == queue_.end())
            return std::nullopt;
        Message message = *it;
        queue_.erase(it);
        return message;
    }

    /// Every message so far, oldest first; what is posted while they are handled waits for the next call.
    std::deque<Message> takeAll() { return std::exchange(queue_, {}); }

    /// Drops the messages of a window that is gone, as its handle may come back for another window.
    void forget(Window window)
    {
        queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [&](const Message& m) { return m.window == window; }),
                     queue_.end());
    }

private:
    std::deque<Message> queue_;
};

}  // namespace zorun::x11
