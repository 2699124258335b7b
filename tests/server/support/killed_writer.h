#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <functional>
#include <string>

#include "server/database/errors.h"

namespace kt::test {

// Another program writing a catalogue, which the test kills as a crash or a power cut would
// stop it. Its work runs in a process of its own, forked when the object is made: the test must
// hold no catalogue open then, since an open connection does not survive a fork. The work starts
// when the test says go; the child hands the test one line, what its work returned or the
// description of what it raised, or what it said where it stopped, and then waits to be killed.
class KilledWriter {
public:
    // Hands `line` to the test and waits there, mid-work, to be killed.
    using StopHere = std::function<void(const std::string& line)>;
    using Work = std::function<std::string(const StopHere& stopHere)>;

    explicit KilledWriter(const Work& work) {
        int go[2];
        int line[2];
        if (::pipe(go) != 0 || ::pipe(line) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(go[1]);
            ::close(line[0]);
            char start = 0;
            if (::read(go[0], &start, 1) != 1) {
                ::_exit(1);
            }
            runChild(work, line[1]);
        }
        ::close(go[0]);
        ::close(line[1]);
        go_ = go[1];
        line_ = line[0];
    }
    ~KilledWriter() { kill(); }
    KilledWriter(const KilledWriter&) = delete;
    KilledWriter& operator=(const KilledWriter&) = delete;

    // Starts the work.
    void go() { [[maybe_unused]] const auto written = ::write(go_, "g", 1); }

    // The child's line; empty when it ended without one.
    std::string line() {
        std::string text;
        char next = 0;
        while (line_ >= 0 && ::read(line_, &next, 1) == 1 && next != '\n') {
            text += next;
        }
        return text;
    }

    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        for (int* end : {&go_, &line_}) {
            if (*end >= 0) {
                ::close(*end);
                *end = -1;
            }
        }
    }

private:
    [[noreturn]] static void runChild(const Work& work, int out) {
        const StopHere stopHere = [out](const std::string& line) {
            const std::string text = line + "\n";
            [[maybe_unused]] const auto written = ::write(out, text.data(), text.size());
            for (;;) {
                ::pause();
            }
        };
        std::string result;
        try {
            result = work(stopHere);
        } catch (const Error& error) {
            result = error.description();
        } catch (const std::exception& error) {
            result = error.what();
        }
        stopHere(result);
        ::_exit(0);
    }

    pid_t pid_ = -1;
    int go_ = -1;
    int line_ = -1;
};

}  // namespace kt::test
