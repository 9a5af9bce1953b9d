// Time of the scan's probe of a set of sample files, against one open and one bare read of the
// bytes each probe looks at; the three separate probes the scan once made are timed beside.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/handles.h"
#include "probes/binary_test.h"
#include "probes/entropy.h"
#include "probes/sample_file.h"
#include "probes/sample_probe.h"
#include "probes/signature.h"

namespace {

using tallyfold::FileHandle;

constexpr int SamplesPerKind = 100;
constexpr int Rounds = 5;
constexpr DWORD TextBytes = 4096;
constexpr DWORD MiddleBytes = 100'000;
constexpr DWORD LargeBytes = 1'000'000;
constexpr DWORD TextSample = static_cast<DWORD>(tallyfold::SampleLength);
constexpr DWORD SplitSample = static_cast<DWORD>(tallyfold::SplitSampleLength);

double Seconds() {
  LARGE_INTEGER counter, frequency;
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void WriteSample(const std::wstring& path, DWORD size, bool text) {
  std::string bytes(size, 'a');
  for (DWORD at = 0; !text && at < size; ++at) {
    bytes[at] = static_cast<char>((at * 2654435761u) >> 24);
  }
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), size, &written, nullptr);
}

// The probes of one extension row as three separate probes: the text test, then for binary
// samples the entropy and the leading word.
void ThreeProbes(const std::wstring& path) {
  if (tallyfold::IsBinaryFile(path)) {
    static_cast<void>(tallyfold::FileEntropy(path));
    static_cast<void>(tallyfold::ReadLeadingWord(path));
  }
}

// One open and the reads of the bytes the probe looks at: the text test's for a text sample,
// the entropy's layout (which covers the text test's and the leading word) for a binary one:
// a large file's first half and the half from its middle.
void BareProbe(const std::wstring& path, DWORD size, bool text, std::vector<std::uint8_t>& buffer) {
  FileHandle file{::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
  const bool split = !text && size > tallyfold::HeadOnlyLimit;
  const DWORD half = SplitSample / 2;
  DWORD read = 0;
  ::ReadFile(file.get(), buffer.data(), split ? half : std::min(size, TextSample), &read, nullptr);
  if (split) {
    ::SetFilePointer(file.get(), static_cast<LONG>(size / 2), nullptr, FILE_BEGIN);
    ::ReadFile(file.get(), buffer.data() + half, half, &read, nullptr);
  }
}

struct Sample {
  std::wstring path;
  DWORD size;
  bool text;
};

template <typename Work>
double Best(Work work) {
  double best = 1e9;
  for (int round = 0; round < Rounds; ++round) {
    const double start = Seconds();
    work();
    best = std::min(best, Seconds() - start);
  }
  return best;
}

}  // namespace

int wmain() {
  wchar_t temp[MAX_PATH + 1];
  std::wstring folder(temp, ::GetTempPathW(MAX_PATH + 1, temp));
  folder += L"tallyfold-probes-bench";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::vector<Sample> samples;
  for (int index = 0; index < SamplesPerKind; ++index) {
    const std::wstring stem = folder + L"\\s" + std::to_wstring(index);
    samples.push_back({stem + L".log", TextBytes, true});
    samples.push_back({stem + L".dat", MiddleBytes, false});
    samples.push_back({stem + L".bin", LargeBytes, false});
  }
  for (const Sample& s : samples) {
    WriteSample(s.path, s.size, s.text);
  }
  std::vector<std::uint8_t> buffer(SplitSample);
  const double ours = Best([&] {
    for (const Sample& s : samples) {
      static_cast<void>(tallyfold::ProbeSample(s.path));
    }
  });
  const double floor = Best([&] {
    for (const Sample& s : samples) {
      BareProbe(s.path, s.size, s.text, buffer);
    }
  });
  const double three = Best([&] {
    for (const Sample& s : samples) {
      ThreeProbes(s.path);
    }
  });
  for (const Sample& s : samples) {
    ::DeleteFileW(s.path.c_str());
  }
  ::RemoveDirectoryW(folder.c_str());
  std::printf("%d samples (4 KB text, 100 KB and 1 MB binary), best of %d rounds\n",
              static_cast<int>(samples.size()), Rounds);
  std::printf("per sample: %.1f us probed, %.1f us bare reads; three separate probes %.1f us\n",
              ours * 1e6 / samples.size(), floor * 1e6 / samples.size(),
              three * 1e6 / samples.size());
  std::printf("probes: %.4f s vs %.4f s, ratio %.2f\n", ours, floor, ours / floor);
  return 0;
}
