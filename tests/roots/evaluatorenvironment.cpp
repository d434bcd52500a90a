// Every search below evaluates through the one host, prepared once for the whole run.

#include "engine/evaluator.h"

#include <gtest/gtest.h>

namespace {

class EvaluatorEnvironment : public testing::Environment
{
public:
    void SetUp() override { zv::InitEvaluator(); }
};

[[maybe_unused]] testing::Environment *const kEvaluatorEnvironment =
    testing::AddGlobalTestEnvironment(new EvaluatorEnvironment);

} // namespace
