// Cross-process locks: results, time-outs, the take-over of a dead holder's lock and the guard
// that lets one process at a time recover.
#include "registry/lib_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "registry/lib_settings.h"
#include "registry/tests/registry_test_support.h"
#include "registry/work_directory.h"

namespace {

using namespace registrytest;

constexpr double kShortTimeout = 0.2;  // seconds
constexpr char kReady = 'R';
constexpr char kWon = 'W';
constexpr char kLost = 'L';

class LibLockTest : public ::testing::Test {
  protected:
    std::unique_ptr<CLibLock> makeLock(double timeout = kShortTimeout,
                                       std::string_view name = "Test.lock") {
        return CLibLock::initWithName(name, work_.group(), timeout, false);
    }
    std::filesystem::path lockFolder() const { return work_.base() / "DistributedLock"; }

    // A child that takes the lock `name`, names itself in `owner`, then runs `whileHeld`.
    template <class WhileHeld>
    pid_t holdInChild(SharedOwnerField& owner, std::string_view name, WhileHeld whileHeld) {
        return runChild([&] {
            auto lock = makeLock(kShortTimeout, name);
            if (!lock || lock->lockWithOwnerReference(owner.get()) != kCLibLockNoErr) {
                return 1;
            }
            return whileHeld(*lock);
        });
    }

    // A child that holds the lock `name` until it is killed; returns once it holds it.
    pid_t holdUntilKilled(SharedOwnerField& owner, std::string_view name = "Test.lock") {
        Pipe ready;
        const pid_t child =
            holdInChild(owner, name, [&](CLibLock&) { return reportReadyAndWaitForKill(ready); });
        EXPECT_EQ(ready.receive(), kReady);
        return child;
    }

    PrivateWorkDirectory work_;
};

TEST_F(LibLockTest, ResultsOfMisuse) {
    auto lock = makeLock();
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->unlock(), kCLibLockNotHeld);
    EXPECT_EQ(lock->lock(), kCLibLockNoErr);
    EXPECT_TRUE(std::filesystem::exists(lockFolder() / "Test.lock"));
    EXPECT_EQ(lock->lock(), kCLibLockAlreadyHeld);
    std::uint32_t owner = 0;
    EXPECT_TRUE(lock->recoverWithOwnerReference(&owner)) << "it holds the lock already";
    EXPECT_TRUE(lock->isLocking());
    EXPECT_EQ(lock->unlock(), kCLibLockNoErr);
    EXPECT_FALSE(std::filesystem::exists(lockFolder() / "Test.lock"));
    EXPECT_EQ(lock->unlock(), kCLibLockNotHeld);
}

TEST_F(LibLockTest, MissingNameOrGroupOrFolderGivesNoLock) {
    EXPECT_EQ(CLibLock::initWithName("", work_.group(), 1, false), nullptr);
    EXPECT_EQ(CLibLock::initWithName("Test.lock", "", 1, false), nullptr);
    // A file where the lock folder belongs.
    std::filesystem::create_directories(work_.base());
    std::ofstream(lockFolder()) << "in the way";
    EXPECT_EQ(makeLock(), nullptr);
}

// Lock names are read from the shared block, which every user may write. A name that leads out
// of the lock folder would let a stale-lock recovery remove any file this process may remove.
TEST_F(LibLockTest, NamesThatAreNoPlainFileNameGiveNoLock) {
    std::filesystem::create_directories(work_.base());
    const auto victim = work_.base() / "victim";
    std::ofstream(victim) << "keep me";
    const std::string absolute = victim.string();
    const std::string_view names[] = {"../victim", absolute, ".",
                                      "..",        "a/b",    std::string_view("a\0b", 3)};
    for (const std::string_view name : names) {
        SCOPED_TRACE(std::string(name));
        EXPECT_EQ(makeLock(kShortTimeout, name), nullptr);
        EXPECT_EQ(CLibLock::distributedLockWithName(name, work_.group(), false), nullptr);
    }
    EXPECT_TRUE(std::filesystem::exists(victim));
    EXPECT_NE(makeLock(kShortTimeout, "..victim"), nullptr) << "dots inside a name are fine";
}

TEST_F(LibLockTest, FolderAndFilesAreSharedWithEveryUser) {
    const mode_t previous = ::umask(022);
    auto lock = makeLock();
    ASSERT_NE(lock, nullptr);
    ASSERT_EQ(lock->lock(), kCLibLockNoErr);
    EXPECT_EQ(::umask(previous), 022) << "the creation mask is restored";
    struct stat folder {};
    struct stat file {};
    ASSERT_EQ(::stat(lockFolder().c_str(), &folder), 0);
    ASSERT_EQ(::stat((lockFolder() / "Test.lock").c_str(), &file), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0777u);
    EXPECT_EQ(file.st_mode & 0777, 0666u);
    lock->unlock();
}

TEST_F(LibLockTest, SecondHolderTimesOutAfterTheTimeout) {
    auto first = makeLock();
    auto second = makeLock();
    ASSERT_EQ(first->lock(), kCLibLockNoErr);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(second->lock(), kCLibLockTimeout);
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited.count(), kShortTimeout);
    EXPECT_LT(waited.count(), kShortTimeout + 2);
    EXPECT_FALSE(second->isLocking());
    // Releasing an object does not release its lock file.
    first.reset();
    EXPECT_EQ(second->lock(), kCLibLockTimeout);
}

// The wait ends at its time-out whatever the retry interval: an interval too long to be a
// polling interval is not used, and no sleep runs past the time that remains.
TEST_F(LibLockTest, LongRetryIntervalDoesNotStretchTheWait) {
    auto first = makeLock();
    ASSERT_EQ(first->lock(), kCLibLockNoErr);
    for (const double interval : {5.0, 3600.0, 1e300}) {
        SCOPED_TRACE(interval);
        const pid_t waiter = runChild([&] {
            CLibSettings::sharedSettings().setTryLockInterval(interval);
            auto second = makeLock();
            const auto start = std::chrono::steady_clock::now();
            if (second->lock() != kCLibLockTimeout) {
                return 1;
            }
            const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
            return waited.count() < kShortTimeout + 0.5 ? 0 : 2;
        });
        EXPECT_EQ(waitChild(waiter, 3s), 0);
    }
    first->unlock();
}

TEST_F(LibLockTest, OwnerNamesTheHolderEvenWhenTakenAfterRetries) {
    SharedOwnerField owner;
    *owner.get() = 0;
    Pipe ready;
    const pid_t child = holdInChild(owner, "Test.lock", [&](CLibLock& lock) {
        ready.send(kReady);
        std::this_thread::sleep_for(100ms);
        return lock.unlock() == kCLibLockNoErr ? 0 : 2;
    });
    ASSERT_EQ(ready.receive(), kReady);
    auto lock = makeLock(10);
    EXPECT_EQ(lock->lockWithOwnerReference(owner.get()), kCLibLockNoErr);
    EXPECT_EQ(*owner.get(), thisProcess());
    EXPECT_EQ(waitChild(child), 0);
    lock->unlock();
}

TEST_F(LibLockTest, LockOfAKilledHolderIsTakenOverAfterTheTimeout) {
    SharedOwnerField owner;
    const pid_t child = holdUntilKilled(owner);
    ASSERT_EQ(*owner.get(), static_cast<std::uint32_t>(child));
    killChild(child);

    auto lock = makeLock();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(lock->lockWithOwnerReference(owner.get()), kCLibLockNoErr);
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited.count(), kShortTimeout);
    EXPECT_TRUE(lock->isLocking());
    EXPECT_EQ(*owner.get(), thisProcess());
    EXPECT_EQ(lock->unlock(), kCLibLockNoErr);
}

TEST_F(LibLockTest, LockOfALiveHolderIsNotTakenOver) {
    SharedOwnerField owner;
    const pid_t child = holdUntilKilled(owner);
    auto lock = makeLock();
    EXPECT_EQ(lock->lockWithOwnerReference(owner.get()), kCLibLockTimeout);
    EXPECT_FALSE(lock->recoverWithOwnerReference(owner.get()));
    EXPECT_FALSE(lock->recoverWithOwnerReference(nullptr));
    EXPECT_EQ(*owner.get(), static_cast<std::uint32_t>(child));
    killChild(child);
}

// A lock file that outlived its holder while the owner field names no process: the field of a
// fresh block (0) or the "none" value. Both must be breakable, or the lock stays taken forever.
TEST_F(LibLockTest, OwnerFieldNamingNoProcessIsTakenOver) {
    for (const std::uint32_t stale : {0u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(stale);
        auto lock = makeLock();
        std::ofstream(lockFolder() / "Test.lock") << "";
        std::uint32_t owner = stale;
        EXPECT_EQ(lock->lock(), kCLibLockTimeout);
        EXPECT_TRUE(lock->recoverWithOwnerReference(&owner));
        EXPECT_EQ(owner, thisProcess());
        EXPECT_EQ(lock->unlock(), kCLibLockNoErr);
    }
}

TEST_F(LibLockTest, RecoveryWhenTheLockIsFreeTakesItAtOnce) {
    std::uint32_t owner = 0xFFFFFFFFu;
    auto lock = makeLock();
    EXPECT_TRUE(lock->recoverWithOwnerReference(&owner));
    EXPECT_EQ(owner, thisProcess());
    lock->unlock();
}

// A process that died while recovering leaves its guard file; it must not block recovery.
TEST_F(LibLockTest, GuardLeftByADeadRecovererDoesNotBlock) {
    SharedOwnerField owner;
    Pipe ready;
    const pid_t child = holdInChild(owner, "Test.lock", [&](CLibLock&) {
        device::AdvisoryFileLock guard(lockFolder() / "Test.lock_Recover");
        return guard.held() ? reportReadyAndWaitForKill(ready) : 1;
    });
    ASSERT_EQ(ready.receive(), kReady);
    auto lock = makeLock();
    EXPECT_EQ(lock->lock(), kCLibLockTimeout);
    EXPECT_FALSE(lock->recoverWithOwnerReference(owner.get())) << "another process recovers";
    killChild(child);
    EXPECT_TRUE(std::filesystem::exists(lockFolder() / "Test.lock_Recover"));
    EXPECT_TRUE(lock->recoverWithOwnerReference(owner.get()));
    EXPECT_EQ(*owner.get(), thisProcess());
    lock->unlock();
}

// The lock folder is writable by every user, so anything may stand where the recovery guard
// belongs. Recovery must neither follow nor use what it did not make: the planted target is never
// created or changed, and the lock reports a time-out.
TEST(LibLockRecoveryGuard, PlantedGuardIsRefused) {
    struct Case {
        const char* what;
        void (*plant)(const std::filesystem::path& guard, const std::filesystem::path& target);
        bool targetExists;
    };
    const Case cases[] = {
        {"symbolic link to a missing file",
         [](const auto& guard, const auto& target) {
             std::filesystem::create_symlink(target, guard);
         },
         false},
        {"symbolic link to an existing file",
         [](const auto& guard, const auto& target) {
             std::ofstream(target) << "keep me";
             std::filesystem::create_symlink(target, guard);
         },
         true},
        {"second name of an existing file",
         [](const auto& guard, const auto& target) {
             std::ofstream(target) << "keep me";
             std::filesystem::create_hard_link(target, guard);
         },
         true},
        {"folder", [](const auto& guard, const auto&) { std::filesystem::create_directory(guard); },
         false},
        {"named pipe",
         [](const auto& guard, const auto&) { ASSERT_EQ(::mkfifo(guard.c_str(), 0666), 0); },
         false},
    };
    for (const Case& plant : cases) {
        SCOPED_TRACE(plant.what);
        PrivateWorkDirectory work;
        auto lock = CLibLock::initWithName("Test.lock", work.group(), kShortTimeout, false);
        ASSERT_NE(lock, nullptr);
        const auto folder = work.base() / "DistributedLock";
        const auto target = work.path() / "planted-target";
        std::ofstream(folder / "Test.lock") << "";
        plant.plant(folder / "Test.lock_Recover", target);
        const auto before =
            std::filesystem::exists(target) ? std::filesystem::file_size(target) : 0;

        std::uint32_t deadOwner = 0;
        EXPECT_EQ(lock->lockWithOwnerReference(&deadOwner), kCLibLockTimeout);
        EXPECT_FALSE(lock->isLocking());
        EXPECT_EQ(deadOwner, 0u);
        EXPECT_EQ(std::filesystem::exists(target), plant.targetExists);
        if (plant.targetExists) {
            EXPECT_EQ(std::filesystem::file_size(target), before);
        }
    }
}

// A lock file planted as a link is removed as a stale lock, never followed.
TEST_F(LibLockTest, PlantedLockLinkIsReplacedNotFollowed) {
    const auto target = work_.path() / "planted-target";
    auto lock = makeLock();
    std::filesystem::create_symlink(target, lockFolder() / "Test.lock");
    std::uint32_t deadOwner = 0;
    EXPECT_EQ(lock->lockWithOwnerReference(&deadOwner), kCLibLockNoErr);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_FALSE(std::filesystem::is_symlink(lockFolder() / "Test.lock"));
    lock->unlock();
}

TEST_F(LibLockTest, TwoRecoverersOfADeadLockGiveExactlyOneWinner) {
    constexpr int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        const std::string name = "Race" + std::to_string(round) + ".lock";
        SharedOwnerField owner;
        killChild(holdUntilKilled(owner, name));

        // Both recoverers time out together, report, and keep what they took until released.
        Pipe results;
        Pipe release;
        pid_t recoverers[2];
        for (pid_t& recoverer : recoverers) {
            recoverer = runChild([&] {
                release.closeWrite();
                auto lock = makeLock(kShortTimeout, name);
                const bool won = lock && lock->lockWithOwnerReference(owner.get()) == 0;
                results.send(won ? kWon : kLost);
                release.receive();
                return 0;
            });
        }
        release.closeRead();
        const char first = results.receive();
        const char second = results.receive();
        release.closeWrite();
        EXPECT_EQ(waitChild(recoverers[0]), 0);
        EXPECT_EQ(waitChild(recoverers[1]), 0);
        EXPECT_EQ((first == kWon) + (second == kWon), 1) << first << second;
        EXPECT_EQ((first == kLost) + (second == kLost), 1) << first << second;
        EXPECT_TRUE(*owner.get() == static_cast<std::uint32_t>(recoverers[0]) ||
                    *owner.get() == static_cast<std::uint32_t>(recoverers[1]));
    }
}

TEST(IsProcessRunningByPID, AnswersFromTheProcessTable) {
    EXPECT_FALSE(CLibSettings::isProcessRunningByPID(-1));
    EXPECT_FALSE(CLibSettings::isProcessRunningByPID(0));
    EXPECT_FALSE(CLibSettings::isProcessRunningByPID(INT32_MIN));
    EXPECT_TRUE(CLibSettings::isProcessRunningByPID(::getpid()));
    EXPECT_TRUE(CLibSettings::isProcessRunningByPID(1)) << "init runs, though not ours";

    const pid_t child = runIdleChild();
    EXPECT_TRUE(CLibSettings::isProcessRunningByPID(child));
    ::kill(child, SIGKILL);
    // Killed but not reaped: a zombie holds no lock any more.
    for (int i = 0; i < 200 && CLibSettings::isProcessRunningByPID(child); ++i) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(CLibSettings::isProcessRunningByPID(child));
    killChild(child);
    EXPECT_FALSE(CLibSettings::isProcessRunningByPID(child));
}

// The start time tells a process from a later one that reuses its identifier.
TEST(ProcessStartTime, NamesRunningProcessesOnly) {
    EXPECT_NE(CLibSettings::processStartTime(::getpid()), 0u);
    EXPECT_EQ(CLibSettings::processStartTime(0), 0u);
    EXPECT_EQ(CLibSettings::processStartTime(-1), 0u);
    const pid_t child = runIdleChild();
    EXPECT_GE(CLibSettings::processStartTime(child), CLibSettings::processStartTime(::getpid()));
    killChild(child);
    EXPECT_EQ(CLibSettings::processStartTime(child), 0u);
}

}  // namespace
