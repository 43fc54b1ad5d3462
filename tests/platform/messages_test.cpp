#include "platform/messages.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Recorder final : pf::MsgTarget {
    explicit Recorder(std::vector<int>* log, int tag = 0) : m_log(log), m_tag(tag) {}
    pf::LRESULT onMessage(unsigned msg, pf::WPARAM w, pf::LPARAM l) override {
        m_log->push_back(m_tag * 1000 + int(msg - pf::UM_MOVE_FIELD) * 10 + int(w + l));
        return pf::LRESULT(w) * 2;
    }
    std::vector<int>* m_log;
    int m_tag;
};

} // namespace

TEST(Messages, SendIsImmediatePostIsQueuedInOrder) {
    std::vector<int> log;
    Recorder target(&log);
    EXPECT_EQ(pf::sendMessage(&target, pf::UM_SHOW_FIELD, 4, 0), 8);
    EXPECT_EQ(log, std::vector<int>{14});
    log.clear();
    pf::postMessage(&target, pf::UM_MOVE_FIELD, 1, 0);
    pf::postMessage(&target, pf::UM_SHOW_FIELD, 2, 0);
    pf::postMessage(&target, pf::UM_ENTRY_ERROR, 3, 0);
    EXPECT_TRUE(log.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(log, (std::vector<int>{1, 12, 23}));
    EXPECT_EQ(pf::sendMessage(nullptr, pf::UM_SHOW_FIELD), 0);
    pf::postMessage(nullptr, pf::UM_SHOW_FIELD);
}

TEST(Messages, PostedMessagesToADestroyedTargetAreDropped) {
    std::vector<int> log;
    auto gone = std::make_unique<Recorder>(&log, 1);
    Recorder stays(&log, 2);
    pf::postMessage(gone.get(), pf::UM_MOVE_FIELD, 1, 0);
    pf::postMessage(&stays, pf::UM_MOVE_FIELD, 2, 0);
    gone.reset();
    // A new target may reuse the old one's address; it must not get the old message.
    auto fresh = std::make_unique<Recorder>(&log, 3);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(log, std::vector<int>{2002});
}
