// SPDX-License-Identifier: MIT
// Any bytes as a MIDI file, bare and wrapped in RIFF: the reader must stay
// inside the bytes, and what it measures must lie within them.
#include "FuzzSupport.h"
#include "content/MelodyReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    content::ContentInfo midi;
    content::readMidi(bytes, midi);
    fuzz::check(midi.extent == -1 || (midi.extent >= 14 && midi.extent <= bytes.size()),
                "MIDI extent outside the bytes");
    fuzz::check(midi.durationMs >= -1, "negative duration");
    fuzz::check(midi.extent == -1 ||
                    !midi.problems.join(QLatin1Char(' ')).contains(QLatin1String("cut short")),
                "an extent for a file cut short");
    if (bytes.size() >= 12) {
        content::ContentInfo rmid;
        content::readRmid(bytes, rmid);
        fuzz::check(rmid.kind == content::Kind::Rmid && rmid.extent == -1, "RMID misnamed");
    }
    return 0;
}
