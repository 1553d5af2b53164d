#ifndef TARGETKIND_H
#define TARGETKIND_H

// What a folder the installer writes into is: a J-Link installation, whose
// database belongs to J-Link, or the per-user folder that recent J-Link
// versions read besides their own, where the installer made everything.
enum class TargetKind { Installation, UserFolder };

#endif
