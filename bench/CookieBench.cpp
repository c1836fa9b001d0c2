// Storing cookies: a new cookie into a full store, which also drops the oldest (an answer with
// many Set-Cookie headers), and the replacement of a stored cookie in a store of N cookies.
// Storing should cost logarithmic time in the store's size.
// Run: cmake --preset release && cmake --build --preset release --target cookie_bench
//      build/release/bench/cookie_bench
#include "crawl/http/CookieStore.h"
#include "crawl/text/Text.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using crawl::http::CookieStore;
using crawl::http::CookieUrl;

constexpr CookieUrl Url{u"https", u"registry.example.org", u"/api/sro/list"};

// The store's size limit.
constexpr std::int64_t FullStore = 3000;

std::u16string SetCookie(std::int64_t number)
{
    std::u16string setCookie(u"c");
    setCookie += crawl::IntToText(number);
    setCookie += u"=1; Path=/";
    return setCookie;
}

CookieStore StoreOf(std::int64_t cookies)
{
    CookieStore store;
    for (std::int64_t i = 0; i < cookies; ++i) {
        store.Store(Url, SetCookie(i));
    }
    return store;
}

void StoreNewCookieIntoFullStore(benchmark::State& state)
{
    CookieStore store = StoreOf(FullStore);
    std::int64_t next = FullStore;
    for (auto _ : state) {
        store.Store(Url, SetCookie(next++));
    }
    state.SetItemsProcessed(state.iterations());
}

void ReplaceCookie(benchmark::State& state)
{
    CookieStore store = StoreOf(state.range(0));
    std::int64_t next = 0;
    for (auto _ : state) {
        store.Store(Url, SetCookie(next++ % state.range(0)));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(StoreNewCookieIntoFullStore);
BENCHMARK(ReplaceCookie)->Arg(100)->Arg(1000)->Arg(FullStore);

} // namespace

BENCHMARK_MAIN();
