#pragma once

#include <mutex>
#include <vector>

#include "logdata/UserFiles.h"

// Listens at the program's user-file door while it lives and keeps every
// step it hears of, in order.
class UserFilesRecorder : public UserFilesObserver {
public:
    UserFilesRecorder() { userFiles().addObserver(*this); }
    ~UserFilesRecorder() override { userFiles().removeObserver(*this); }
    UserFilesRecorder(const UserFilesRecorder&) = delete;
    UserFilesRecorder& operator=(const UserFilesRecorder&) = delete;

    void userFileDone(const UserFileEvent& event) override {
        const std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::vector<UserFileEvent> events() const {
        const std::lock_guard lock(mutex_);
        return events_;
    }
    // The steps of `kind` heard so far.
    std::vector<UserFileEvent> of(UserFileKind kind) const {
        std::vector<UserFileEvent> found;
        for (const UserFileEvent& event : events())
            if (event.kind == kind) found.push_back(event);
        return found;
    }

private:
    mutable std::mutex mutex_;
    std::vector<UserFileEvent> events_;
};
