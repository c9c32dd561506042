#include "platform/picture_files/qt/qt_background_worker.h"

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace tessaloom {

namespace {

// Thread priorities have no effect on Linux's normal scheduling; a thread's nice value does. The
// lowest one leaves a decode the window makes in front of the worker all but the whole core.
void lowerThisThreadsPriority()
{
#ifdef Q_OS_LINUX
    thread_local bool lowered = false;
    if (!lowered) {
        lowered = true;
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    }
#endif
}

} // namespace

QtBackgroundWorker::QtBackgroundWorker()
{
    pool_.setMaxThreadCount(1);
    pool_.setThreadPriority(QThread::LowestPriority);
}

QtBackgroundWorker::~QtBackgroundWorker()
{
    pool_.clear();
    pool_.waitForDone();
}

void QtBackgroundWorker::post(std::function<void()> work)
{
    pool_.start([work = std::move(work)] {
        lowerThisThreadsPriority();
        work();
    });
}

void QtBackgroundWorker::waitUntilIdle()
{
    pool_.waitForDone();
}

} // namespace tessaloom
