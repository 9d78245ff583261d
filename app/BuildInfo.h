#pragma once

#include <QVariantMap>

namespace sorvu {

// What the build put into the program: "CFBundleShortVersionString" (the project version),
// "CFBundleVersion" (the build number), "SUFeedURL" and "SUPublicEDKey" (empty unless configured).
const QVariantMap& buildInfo();

} // namespace sorvu
