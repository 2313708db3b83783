// Gives every runtime pack at least one source of its own.  Internal linkage:
// a name defined in every pack would be one symbol defined several times in
// a process that loads them together.
namespace {
[[maybe_unused]] int pack_anchor_unused = 0;
}  // namespace
