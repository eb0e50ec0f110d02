// A whole read or write through the transfer worker and the protocol, the radio's
// answers taken from the fuzzer's bytes over an in-memory line (fuzz_link.h), so no
// time-out is ever waited for. The input is one set-up byte, then the answer records:
//   bit 0     a write (else a read)
//   bit 1     the record is for a 32-channel radio (else 16)
//   bits 2-4  the record's band, one of the six (modulo 6)
//   bit 5     an earlier radio's report is in the record (else none yet)
//   bit 6     the user writes even when the radio's band or model differ
//   bit 7     the user answers Retry once after a failure
//
// What must hold, whatever the radio answers:
//   - a failed read leaves the record byte for byte as it was;
//   - a successful read changes the blocks read, each to the 64 bytes the radio sent
//     for its address, and band, model and report as the identity decodes; nothing
//     else. A report is a real band or -1, a model 0, 1 or -1;
//   - a write changes at most identity bytes 0-6, band, model and the report; every
//     chunk sent carries the record's bytes for its address; nothing is sent to a
//     radio of another band or model unless the user agreed; a write reported as done
//     sent every chunk of the plan, in order, and the end byte;
//   - the record's shown texts stay sane, and its masks rebuild to its channels.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "link/block_plan.h"
#include "link/protocol.h"
#include "link/transfer_worker.h"
#include "link/write_check.h"
#include "tests/fuzz/fuzz_link.h"
#include "tests/fuzz/record_invariants.h"
#include "tests/link/recording_host.h"

using namespace radio;
using namespace radio::test;

namespace {

const char kOffText[] = "Off";
const char kSentinelText[] = "text #0 stays";

struct Setup {
    bool write;
    bool channels32;
    Band band;
    bool reported;
    bool writeOnMismatch;
    bool retry;
};

Setup SetupOf(std::uint8_t b)
{
    return {(b & 1) != 0,    (b & 2) != 0,    kBands[std::size_t((b >> 2 & 7) % 6)],
            (b & 0x20) != 0, (b & 0x40) != 0, (b & 0x80) != 0};
}

RadioData StartRecord(const Setup& s)
{
    RadioData data;
    data.model = s.channels32 ? 0 : 1;
    data.bandLower = s.band.lower;
    data.bandUpper = s.band.upper;
    if (s.reported) {
        data.radioBandLower = data.bandLower;
        data.radioBandUpper = data.bandUpper;
        data.radioModel = data.model;
    }
    // Every data byte recognisable, so that a byte in the wrong place shows.
    for (int b = 0; b < kBlockCount; ++b) {
        for (int j = 0; j < kBlockDataSize; ++j) {
            data.blocks[std::size_t(b)].data[std::size_t(j)] = std::uint8_t(b * 67 + j * 5 + 1);
        }
    }
    data.texts.SetText(text::RadioData, kSentinelText);
    return data;
}

bool SameRecord(const RadioData& a, const RadioData& b)
{
    return a.ToImage() == b.ToImage() &&
           a.texts.Text(text::RadioData) == b.texts.Text(text::RadioData);
}

bool IsCommand(const FuzzLink::Event& e, std::uint8_t command, std::uint8_t length)
{
    return e.write && e.bytes.size() == 4 && e.bytes[0] == command && e.bytes[3] == length;
}

std::uint16_t AddressOf(const FuzzLink::Event& e)
{
    return std::uint16_t(e.bytes[1] << 8 | e.bytes[2]);
}

// The events of the last attempt: from the last entry code on.
std::size_t LastAttempt(const std::vector<FuzzLink::Event>& events)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const auto& e = events[i];
        if (e.write && e.bytes.size() == wire::kEntryCode.size() &&
            std::equal(e.bytes.begin(), e.bytes.end(), wire::kEntryCode.begin())) {
            start = i;
        }
    }
    return start;
}

bool EndedWithEndByte(const std::vector<FuzzLink::Event>& events)
{
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->write) {
            return !it->failed && it->bytes == std::vector<std::uint8_t>{wire::kEnd};
        }
    }
    return false;
}

void CheckReport(const RadioData& data, Violations& out)
{
    const bool bandReported = data.radioBandLower != kNotReported;
    if (bandReported ? BandOfLower(data.radioBandLower).upper != data.radioBandUpper
                     : data.radioBandUpper != kNotReported) {
        out.push_back("reported band " + std::to_string(data.radioBandLower) + "-" +
                      std::to_string(data.radioBandUpper) + " is not a band");
    }
    if (data.radioModel != kNotReported && data.radioModel != 0 && data.radioModel != 1) {
        out.push_back("reported model " + std::to_string(data.radioModel));
    }
}

// A transfer may change the data's band and model and the radio's report of them.
void TakeBandAndReport(RadioData& expected, const RadioData& after)
{
    expected.bandLower = after.bandLower;
    expected.bandUpper = after.bandUpper;
    expected.model = after.model;
    expected.radioBandLower = after.radioBandLower;
    expected.radioBandUpper = after.radioBandUpper;
    expected.radioModel = after.radioModel;
}

void CheckRead(const RadioData& before, const RadioData& after, const FuzzLink& link,
               const RecordingHost& host, Violations& out)
{
    if (host.reads == 0) {
        if (!SameRecord(before, after)) {
            out.push_back("a failed read changed the record");
        }
        return;
    }
    if (!EndedWithEndByte(link.Events())) {
        out.push_back("a read reported as done did not end with the end byte");
    }
    CheckReport(after, out);
    // Band and model come from the identity when it tells them, else stay.
    if (after.radioBandLower != kNotReported
            ? after.bandLower != after.radioBandLower || after.bandUpper != after.radioBandUpper
            : after.bandLower != before.bandLower || after.bandUpper != before.bandUpper) {
        out.push_back("the band after the read is not the radio's nor the old one");
    }
    if (after.model != (after.radioModel != kNotReported ? after.radioModel : before.model)) {
        out.push_back("the model after the read is not the radio's nor the old one");
    }

    // The blocks of the last attempt's plan hold the answers to their read commands.
    const std::vector<Block> order = ReadOrder(after.ChannelBlocksInUse());
    std::vector<std::vector<std::uint8_t>> answers;
    const auto& events = link.Events();
    for (std::size_t i = LastAttempt(events); i + 1 < events.size(); ++i) {
        if (IsCommand(events[i], wire::kRead, wire::kBlockLength) && !events[i + 1].write) {
            answers.push_back(events[i + 1].bytes);
        }
    }
    if (answers.size() != order.size()) {
        out.push_back("a read reported as done read " + std::to_string(answers.size()) +
                      " blocks instead of " + std::to_string(order.size()));
        return;
    }
    RadioData expected = before;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const DataBlock& block = after.block(order[k]);
        const auto& answer = answers[k];
        if (answer.size() != std::size_t(wire::kBlockAnswerSize) ||
            !std::equal(block.data.begin(), block.data.end(), answer.begin() + 4)) {
            out.push_back("block " + Hex(block.Address()) + " does not hold the radio's answer");
        }
        expected.block(order[k]) = block;
    }
    TakeBandAndReport(expected, after);
    if (!SameRecord(expected, after)) {
        out.push_back("the read changed more than the blocks read, band, model and report");
    }
}

void CheckWrite(const RadioData& before, const RadioData& after, const FuzzLink& link,
                const RecordingHost& host, bool writeOnMismatch, Violations& out)
{
    RadioData expected = before;
    std::copy_n(after.block(Block::B01B8).data.begin(), 7,
                expected.block(Block::B01B8).data.begin());
    TakeBandAndReport(expected, after);
    if (!SameRecord(expected, after)) {
        out.push_back("the write changed more than identity, band, model and report");
    }
    CheckReport(after, out);

    // The plan of the record as written: every chunk's address and bytes.
    std::vector<std::pair<std::uint16_t, const std::uint8_t*>> plan;
    for (const QuarterPlan& p : WriteOrder(after.ChannelBlocksInUse())) {
        const DataBlock& block = after.block(p.block);
        for (int q = 0; q < p.quarters; ++q) {
            plan.emplace_back(std::uint16_t(block.Address() + 16 * q), block.data.data() + 16 * q);
        }
    }
    std::vector<std::uint16_t> sent;  // chunk addresses, a repeat counted once
    const auto& events = link.Events();
    for (std::size_t i = LastAttempt(events); i < events.size(); ++i) {
        if (!IsCommand(events[i], wire::kWrite, wire::kChunkLength)) {
            continue;
        }
        const std::uint16_t address = AddressOf(events[i]);
        if (sent.empty() || sent.back() != address) {
            sent.push_back(address);
        }
        const auto planned = std::find_if(plan.begin(), plan.end(),
                                          [address](const auto& c) { return c.first == address; });
        if (planned == plan.end()) {
            out.push_back("chunk " + Hex(address) + " is not in the plan");
        } else if (!events[i].failed && i + 1 < events.size() &&
                   (events[i + 1].bytes.size() != std::size_t(wire::kChunkSize) ||
                    !std::equal(events[i + 1].bytes.begin(), events[i + 1].bytes.end(),
                                planned->second))) {
            out.push_back("chunk " + Hex(address) + " did not carry the record's bytes");
        }
    }
    if (!sent.empty() && ClassifyBeforeWrite(after) == WriteCheck::Mismatch && !writeOnMismatch) {
        out.push_back("chunks went to a radio of another band or model without the user's yes");
    }
    if (host.writes > 0) {
        bool complete = sent.size() == plan.size();
        for (std::size_t k = 0; complete && k < plan.size(); ++k) {
            complete = sent[k] == plan[k].first;
        }
        if (!complete || !EndedWithEndByte(events)) {
            out.push_back("a write reported as done did not send the whole plan and the end byte");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const Setup setup = SetupOf(data[0]);
    RadioData record = StartRecord(setup);
    const RadioData before = record;

    FuzzLink link(data + 1, size - 1);
    RecordingHost host(record);
    host.retries = setup.retry ? 1 : 0;
    host.writeOnMismatch = setup.writeOnMismatch;
    CTransferWorker worker;
    worker.Init(&host, record);
    worker.UseLink(&link);
    if (!worker.SetMode(setup.write ? TransferMode::Write : TransferMode::Read)) {
        std::abort();
    }
    worker.Run();

    Violations found;
    if (worker.IsBusy()) {
        found.push_back("the worker is still busy after its run");
    }
    if (host.progress.empty() || host.progress.back() != 0) {
        found.push_back("the progress bar was not hidden at the end");
    }
    if (setup.write) {
        CheckWrite(before, record, link, host, setup.writeOnMismatch, found);
    } else {
        CheckRead(before, record, link, host, found);
    }
    CheckShownTexts(record, kOffText, found);
    RadioData masked = record;
    masked.UpdateChannelMasks();
    CheckMasks(masked, found);
    AbortOn(found, setup.write ? "write" : "read");
    return 0;
}
