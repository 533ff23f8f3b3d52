#pragma once
// The pronunciation tables of one language: letter names, symbol names and the
// English and Ukrainian rewrite lists. Loaded from pronunc.dic (to come).
namespace vl {

struct PronunciationTables {};

}  // namespace vl
