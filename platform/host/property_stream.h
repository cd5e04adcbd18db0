#pragma once
// A control's stored property stream, as the window's stored form holds it (a JSON object read
// into a QVariantMap), turned into the property bag ReadProperties takes, and a bag written by
// WriteProperties turned back into a stream.
//
// In the stream, numbers, booleans and text are plain JSON values; colours are numbers. Objects
// carry a "type":
//   {"type": "font", "face": "Tahoma", "size": 8.25, "bold": false, "italic": false,
//    "underline": false, "strikethrough": false}
//   {"type": "picture", "kind": "bitmap" | "icon", "file": ":/forms/pictures/open.png"}
//   {"type": "picture", "kind": "bitmap" | "icon", "png": "<base64>"}
// An icon's transparent pixels (alpha 0) are its mask. JSON null is an object set to nothing.
// Written keys are in lower case, as the stored forms keep them.
#include "controls/contracts/property_bag.h"

#include <QString>
#include <QVariantMap>

namespace plainquill::host {

// Throws contracts::PropertyTypeError for a value the bag cannot hold (an array, an unknown
// object type, a picture file that cannot be read). Relative picture files are found in
// `pictureFolder` when one is given.
contracts::PropertyBag readPropertyStream(const QVariantMap& stream, const QString& pictureFolder = {});

QVariantMap writePropertyStream(const contracts::PropertyBag& bag);

} // namespace plainquill::host
