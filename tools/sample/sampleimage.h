#pragma once

namespace n35
{

class CloneImage;

// The sample clone image the program ships (data/sample.N35) and the user guide's pictures show: a
// varied channel list in both bands with Japanese names and custom glyphs, a bank partition, one-touch
// keys, DTMF memories, bank links and an opening title. Made by this code, so it always matches what the
// program writes.
void FillSampleImage(CloneImage &image);

// The date its file carries, so that making it again gives the same bytes.
inline constexpr const char *SampleSaveDate = "2026-12-01T12:00:00";

} // namespace n35
