#pragma once

#include "link/outcome.h"

namespace n35
{

class BankLinks;
class Progress;
class RadioLink;

// The two bank-link blocks, without identifying the radio (the caller has). Both blocks are read before
// anything changes; a block that does not arrive whole, or holds a character that is not a hex digit,
// leaves the links as they were.
TransferOutcome ReadBankLinks(RadioLink &link, BankLinks &links, Progress &progress);
// Groups 0-7 fill the first block; groups 8-10 are written as the first 24 bytes of the second, so
// the rest of that block stays as the radio had it.
TransferOutcome WriteBankLinks(RadioLink &link, const BankLinks &links, Progress &progress);

// The bank-link window's "Read" and "Write": progress maximum 3, the identification, then the blocks.
TransferOutcome BankLinkRead(RadioLink &link, BankLinks &links, Progress &progress);
TransferOutcome BankLinkWrite(RadioLink &link, const BankLinks &links, Progress &progress);

} // namespace n35
