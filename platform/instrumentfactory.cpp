#include "instrumentfactory.h"

#include "instrumentaddress.h"
#include "lxiinstrument.h"
#include "qtserialinstrument.h"

std::unique_ptr<Instrument> CreateInstrument(const std::string &address, std::string &error)
{
    InstrumentAddress a;
    if (!ParseInstrumentAddress(address, a, error))
        return nullptr;
    if (a.kind == InstrumentAddress::Kind::Serial)
        return std::make_unique<QtSerialInstrument>();
    return std::make_unique<LxiInstrument>();
}
