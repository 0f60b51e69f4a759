#pragma once

namespace qtr {

// The program's one sort: an in-place quicksort over positions lo..hi whose pivot
// is a copy of the middle element. i runs up while element i sorts before the
// pivot, j runs down while the pivot sorts before element j; when i <= j the two
// are exchanged and both step on; then both parts are sorted the same way.
// Stored files come out in the order this algorithm leaves equal elements in.
//
// Ops supplies: takePivot(p), beforePivot(i), pivotBefore(j), exchange(i, j).
// The smaller part is sorted by recursion and the larger one by the loop, so
// the stack stays shallow whatever the data.
template <typename Ops> void middlePivotQuicksort(Ops& ops, long lo, long hi) {
    while (lo < hi) {
        long i = lo;
        long j = hi;
        ops.takePivot((lo + hi) / 2);
        do {
            while (ops.beforePivot(i)) {
                ++i;
            }
            while (ops.pivotBefore(j)) {
                --j;
            }
            if (i <= j) {
                if (i != j) {
                    ops.exchange(i, j);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j) {
                middlePivotQuicksort(ops, lo, j);
            }
            lo = i;
        } else {
            if (i < hi) {
                middlePivotQuicksort(ops, i, hi);
            }
            hi = j;
        }
    }
}

} // namespace qtr
