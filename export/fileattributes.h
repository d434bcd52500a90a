#pragma once

namespace zv {

// Gives the file open as `to` exactly the extended attributes of the file open as `from`,
// removing those it has and `from` lacks (an access list inherited from its folder). Access
// control lists are attributes (system.posix_acl_access), so they come along. Returns false
// when any attribute cannot be read, set or removed (one we may not set, a file system without
// them); `to` may then be left with part of them.
bool CopyAttributes(int from, int to);

} // namespace zv
