#include "platform.h"

Platform &platform()
{
    static Platform instance;
    return instance;
}
