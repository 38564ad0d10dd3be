#pragma once

#include "link/outcome.h"

namespace n35
{

class BankPartition;
class Progress;
class RadioLink;

// The two partition blocks, without identifying the radio (the caller has). Both blocks are read before
// anything changes: a partition that adds up to 500 replaces the current one, any other is replaced by
// the default partition with the notice "Bank Total Error. Initialize." / "Caution", and the read still
// succeeds. A block that does not arrive leaves the partition as it was.
TransferOutcome ReadBankPartition(RadioLink &link, BankPartition &banks, Progress &progress);
// Writes both blocks: block 0 as 64 bytes, block 1 as 50. A partition that is not valid is refused
// before anything is sent.
TransferOutcome WriteBankPartition(RadioLink &link, const BankPartition &banks, Progress &progress);

// The bank page's "Bank Read" and "Bank Write": progress maximum 3, the identification, then the
// blocks. Failures carry the page's messages.
TransferOutcome BankRead(RadioLink &link, BankPartition &banks, Progress &progress);
TransferOutcome BankWrite(RadioLink &link, const BankPartition &banks, Progress &progress);

} // namespace n35
