#pragma once
// The compute-list record in trace files and limit-line records: the list
// setting, the count, then per compute its type, the base part (type again,
// enabled flag) and the fields of its kind. Reading applies the rules of
// older archives; computes of kinds this build does not make are read past
// and dropped (logged), so the rest of the record still follows.

#include <memory>

class CArchive;
class CComputeList;
class IRecordSink;

namespace ComputeRecord {

// Lists the fields of the record in writing order.
void Describe(CComputeList& list, IRecordSink& sink);
// Reads a record (after its presence flag); throws CArchiveException on an
// unknown type or a count beyond the bytes left.
std::unique_ptr<CComputeList> Read(CArchive& ar);

} // namespace ComputeRecord
