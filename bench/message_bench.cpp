// A cached message send against the C++ virtual call it stands in for.

#include <benchmark/benchmark.h>

#include "Counter.h"
#include "objc/message.h"

static void BM_VirtualCall(benchmark::State& state) {
    Ref<Counter> counter = make<Counter>();
    Counter* volatile target = counter.get();
    for (auto _ : state) benchmark::DoNotOptimize(target->next());
}
BENCHMARK(BM_VirtualCall);

static void BM_MessageSend(benchmark::State& state) {
    Ref<Counter> counter = make<Counter>();
    NSObject* volatile target = counter.get();
    SEL next = SELECTOR("next");
    for (auto _ : state) benchmark::DoNotOptimize(objc_msgSend<int()>(target, next));
}
BENCHMARK(BM_MessageSend);
