#include "recordevent.h"

#include "appglobals.h"
#include "chanrecord.h"
#include "globalcodec.h"
#include "platform.h"
#include "version.h"
#include "windowservices.h"

#include <cstdio>
#include <random>

namespace
{

HistoryRecorder *s_recorder = nullptr;
std::string s_bench;

std::string NewEventKey(const std::string &at)
{
    static std::mt19937_64 random{std::random_device{}()};
    char tail[20];
    std::snprintf(tail, sizeof tail, "%016llx", static_cast<unsigned long long>(random()));
    return at + " " + s_bench + " " + tail;
}

} // namespace

void InstallHistory(HistoryRecorder *recorder, const std::string &bench)
{
    s_recorder = recorder;
    s_bench = bench;
}

HistoryRecorder *InstalledHistory()
{
    return g_bKeepHistory ? s_recorder : nullptr;
}

void RecordRadioEvent(RadioEvent event)
{
    if (s_recorder == nullptr || !g_bKeepHistory)
        return;
    if (event.at.empty() && platform().clock != nullptr)
        event.at = LocalTimeText(platform().clock->localTime());
    if (event.key.empty())
        event.key = NewEventKey(event.at);
    if (event.bench.empty())
        event.bench = s_bench;
    if (event.version.empty())
        event.version = TESSARO_VERSION_TEXT;
    event.serial = HistorySerial(event.serial);
    if (event.labels.empty() && event.image.size() == std::size_t(UsedPages) * PageSize) {
        MemMapImage image;
        for (std::size_t i = 0; i < event.image.size(); ++i)
            image.set(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize),
                      event.image[i]);
        event.labels = ImageEvent({}, {}, image).labels;
    }
    s_recorder->record(std::move(event));
    if (s_recorder->takeAwayNotice())
        StatusMsg(HistoryAwayStatus);
}

std::string HistorySerial(const std::string &serialText)
{
    std::string digits;
    for (char c : serialText) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    if (digits.empty() || digits.find_first_not_of('0') == std::string::npos)
        return UnknownSerial;
    return digits;
}

RadioEvent ImageEvent(const std::string &kind, const std::string &outcome, const MemMapImage &image,
                      bool serialKnown)
{
    RadioEvent event;
    event.kind = kind;
    event.outcome = outcome;
    event.serial = serialKnown ? GetEmbeddedSN(image) : std::string();
    event.image = UsedPagesBytes(image);
    for (int g = 0; g < NumGroups; ++g) {
        std::string label = GetGrpLabel(image, g);
        while (!label.empty() && label.back() == ' ')
            label.pop_back();
        if (!label.empty())
            event.labels += (event.labels.empty() ? "" : " ") + label;
    }
    return event;
}
