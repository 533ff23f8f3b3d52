#include "platform/shared_files_lock.h"

namespace vl {

SharedFilesLock::SharedFilesLock(std::u16string_view name, std::chrono::milliseconds wait)
    : mutex_(NamedMutex::create(name)) {
    owned_ = mutex_ && mutex_->try_lock_for(wait);
}

SharedFilesLock::~SharedFilesLock() {
    if (owned_) mutex_->unlock();
}

}  // namespace vl
