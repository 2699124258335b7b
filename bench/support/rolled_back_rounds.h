#pragma once

#include <benchmark/benchmark.h>

#include <optional>

#include "server/database/db.h"
#include "server/database/transaction.h"

namespace vrn::bench {

// Runs `work` once per timed round of `state`, each round inside a transaction of the shared
// catalogue that is rolled back before the next, so that every round does the same work.
// `check` runs after each round, untimed.
template <typename Work, typename Check>
void rolledBackRounds(benchmark::State& state, Work work, Check check) {
    std::optional<kt::Transaction> round;
    for (auto _ : state) {
        state.PauseTiming();
        round.reset();
        round.emplace(kt::global_db().database());
        state.ResumeTiming();
        work();
        state.PauseTiming();
        check();
        state.ResumeTiming();
    }
    round.reset();
}

template <typename Work>
void rolledBackRounds(benchmark::State& state, Work work) {
    rolledBackRounds(state, work, [] {});
}

}  // namespace vrn::bench
