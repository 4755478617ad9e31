#pragma once

class CTolvaneDoc;
class RecoveryStore;

// Offers the copies that editors which ended without cleaning up left in store, one after the
// other, until one is restored into document: "Wiederherstellen" opens it as it was (and makes
// it this editor's copy), "Verwerfen" deletes it, "Später" keeps it for the next start. A copy
// that cannot be read is reported and left where it is.
void offerRecoveryCopies(RecoveryStore& store, CTolvaneDoc& document);
