#pragma once
// Generates realistic game chat logs (CP932 bytes) for tests, benchmarks and the demo.
