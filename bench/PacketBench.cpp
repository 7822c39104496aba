// Building and parsing a typical 1 KiB message in both packet forms.
#include "protocol/MessagePacket.h"

#include <benchmark/benchmark.h>

namespace {

tq::MessagePacket typicalPacket()
{
    QByteArray text("Message from Ann Example to Bob/10.0.0.5.\r\n\r\n");
    while (text.size() < 1024)
        text.append("The quick brown fox jumps over the lazy dog.\r\n");
    return {QByteArray(), text, "ANN-WORKSTATION", '0', "ann@example.org"};
}

void ParseStream(benchmark::State &state)
{
    const QByteArray packet = tq::BuildStreamPacket(typicalPacket(), "10.0.0.7", 7777);
    for (auto _ : state)
        benchmark::DoNotOptimize(tq::ParseStreamPacket(packet));
    state.SetBytesProcessed(state.iterations() * packet.size());
}

void ParseDatagram(benchmark::State &state)
{
    const QByteArray packet = tq::BuildDatagramPacket(typicalPacket(), "10.0.0.7", 7777);
    for (auto _ : state)
        benchmark::DoNotOptimize(tq::ParseDatagramPacket(packet));
    state.SetBytesProcessed(state.iterations() * packet.size());
}

void BuildBoth(benchmark::State &state)
{
    const tq::MessagePacket packet = typicalPacket();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tq::BuildStreamPacket(packet, "10.0.0.7", 7777));
        benchmark::DoNotOptimize(tq::BuildDatagramPacket(packet, "10.0.0.7", 7777));
    }
}

BENCHMARK(ParseStream)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParseDatagram)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuildBoth)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
