#pragma once

#include "platform/picture_files/background_executor.h"

#include <QThreadPool>

namespace tessaloom {

// One worker thread at low priority, so the work posted gives way to the windows.
class QtBackgroundWorker final : public BackgroundExecutor {
public:
    QtBackgroundWorker();
    // Drops what has not started and waits for what has.
    ~QtBackgroundWorker() override;

    void post(std::function<void()> work) override;

    // Returns when everything posted so far is done.
    void waitUntilIdle();

private:
    QThreadPool pool_;
};

} // namespace tessaloom
