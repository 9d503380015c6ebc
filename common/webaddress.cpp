#include "common/webaddress.h"

namespace tallimo {

QUrl NavigableAddress(const QUrl &address)
{
    if (!address.scheme().isEmpty())
        return address;
    return QUrl::fromUserInput(address.toString());
}

}  // namespace tallimo
