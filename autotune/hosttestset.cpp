#include "hosttestset.h"

#include "findinstruments.h"
#include "instrumentfactory.h"
#include "instrumentprofile.h"
#include "platform.h"
#include "profilefolders.h"
#include "profiletestset.h"

#include <QCoreApplication>

namespace
{

constexpr int ConnectTimeoutMs = 5000;

// The instrument and the profile's test set over it, as one.
class HostTestSet : public TestSet
{
public:
    HostTestSet(std::unique_ptr<Instrument> instrument, InstrumentProfile profile)
        : m_instrument(std::move(instrument)), m_set(*m_instrument, std::move(profile))
    {
    }
    ~HostTestSet() override { m_instrument->disconnect(); }

    bool identify(std::string &identity) override { return m_set.identify(identity); }
    bool preset() override { return m_set.preset(); }
    bool counterFrequencyHz(double &hz) override { return m_set.counterFrequencyHz(hz); }
    bool rfPowerW(double &watts) override { return m_set.rfPowerW(watts); }
    bool fmDeviationHz(double &hz) override { return m_set.fmDeviationHz(hz); }
    bool sinadDb(double &db) override { return m_set.sinadDb(db); }
    bool setGeneratorFrequencyHz(double hz) override { return m_set.setGeneratorFrequencyHz(hz); }
    bool setGeneratorLevelDbm(double dbm) override { return m_set.setGeneratorLevelDbm(dbm); }
    bool setGeneratorModulation(double deviationHz, double toneHz) override
    {
        return m_set.setGeneratorModulation(deviationHz, toneHz);
    }
    bool setGeneratorOutput(bool on) override { return m_set.setGeneratorOutput(on); }
    std::string lastErrorText() const override { return m_set.lastErrorText(); }

private:
    std::unique_ptr<Instrument> m_instrument;
    ProfileTestSet m_set;
};

bool LoadProfile(const std::string &path, InstrumentProfile &profile, std::string &why)
{
    std::string text;
    return ReadInstrumentProfileText(*platform().files, path, text, why) &&
           ParseInstrumentProfile(text, profile, why);
}

} // namespace

std::vector<std::string> HostProfileFolders()
{
    const std::string exeDir = QCoreApplication::applicationDirPath().toStdString();
    return InstrumentProfileFolders(platform().programFolder,
                                    InstalledProfileFolder(*platform().files, exeDir));
}

std::unique_ptr<TestSet> OpenHostTestSet(const std::string &address, const std::string &profile,
                                         std::string &why)
{
    std::unique_ptr<Instrument> instrument = CreateInstrument(address, why);
    if (!instrument)
        return nullptr;
    if (!instrument->connect(address, ConnectTimeoutMs)) {
        why = instrument->lastErrorText();
        return nullptr;
    }
    const std::vector<std::string> folders = HostProfileFolders();
    InstrumentProfile chosen;
    if (!profile.empty()) {
        const std::string path = FindInstrumentProfile(*platform().files, profile, folders, why);
        if (path.empty() || !LoadProfile(path, chosen, why))
            return nullptr;
        return std::make_unique<HostTestSet>(std::move(instrument), std::move(chosen));
    }
    // No profile named: the one that knows the instrument's identity.
    std::string identity;
    if (!instrument->query("*IDN?", identity, ConnectTimeoutMs)) {
        why = "it did not identify itself: " + instrument->lastErrorText();
        return nullptr;
    }
    for (const std::string &name : ListInstrumentProfiles(*platform().files, folders)) {
        InstrumentProfile candidate;
        std::string ignored;
        const std::string path = FindInstrumentProfile(*platform().files, name, folders, ignored);
        if (!path.empty() && LoadProfile(path, candidate, ignored) &&
            !candidate.identityContains.empty() &&
            identity.find(candidate.identityContains) != std::string::npos)
            return std::make_unique<HostTestSet>(std::move(instrument), std::move(candidate));
    }
    why = "no profile is for \"" + identity + "\"; choose one";
    return nullptr;
}

AutoTuneHost HostAutoTune()
{
    constexpr int DiscoveryMs = 3000;
    return {OpenHostTestSet,
            [] {
                std::vector<std::pair<std::string, std::string>> found;
                for (const FoundInstrument &f : FindInstruments(DiscoveryMs))
                    found.emplace_back(f.address, f.identity);
                return found;
            },
            [] { return ListInstrumentProfiles(*platform().files, HostProfileFolders()); }};
}
