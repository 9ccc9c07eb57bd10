#include "mail/WatchedSend.h"

#include "common/Interaction.h"

#include <chrono>
#include <future>
#include <thread>

namespace mail {

SendResult sendWatched(const SmtpClient& client, const MailMessage& message,
                       common::Interaction& ui, const QString& text, qint64 done, qint64 total) {
    std::atomic<bool> cancel{false};
    std::packaged_task<SendResult()> task(
        [&client, &message, &cancel] { return client.send(message, &cancel); });
    std::future<SendResult> pending = task.get_future();
    std::thread worker(std::move(task));
    const qint64 all = total > 0 ? total : 1;
    while (pending.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        if (!cancel && !ui.progress(text, done, all))
            cancel = true;
    worker.join();
    return pending.get();
}

} // namespace mail
