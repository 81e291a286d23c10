#pragma once
// Card files written byte by byte for tests: one object record of a class with the given
// properties in the given order.
#include "document/TGValue.h"

#include <QByteArray>

#include <utility>
#include <vector>

using CardProperties = std::vector<std::pair<QByteArray, TGValue>>;

QByteArray oneObjectCard(const QByteArray& className, const CardProperties& props);
