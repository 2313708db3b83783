// Gives every runtime pack at least one source of its own.
namespace cv { int pack_anchor_unused = 0; }
