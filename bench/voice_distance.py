#!/usr/bin/python3
"""Mel-cepstral distance of synthesised sentences to their recordings.

Usage: voice_distance.py RECORDINGS_DIR SYNTH_DIR [NAME...]
Both folders hold NAME.wav files. Prints the mean distance over the names and
the ratio of total synthesised to recorded duration (both trimmed).

The measure: every file is brought to the package's output format (10,000 Hz,
unsigned 8 bits) and back to floats; leading and trailing frames more than
40 dB below the file's loudest frame are trimmed; 25 ms Hamming windows every
5 ms; 40 triangular mel filters over 0..5000 Hz; natural log of their energies,
floored at the energy of 8-bit quantisation noise;
orthonormal DCT-II; coefficients 1..24 (c0, the loudness, left out). The two
sequences are aligned by dynamic time warping (steps (1,0), (0,1), (1,1),
Euclidean frame distance) and the distance is 10/ln(10) * sqrt(2) times the
mean frame distance along the path, in dB as the mel-cepstral distortion is.
"""
import math
import sys
import wave

import numpy as np

RATE = 10000
HOP = 50
WINDOW = 250
FFT = 512
FILTERS = 40
COEFFS = 24
# Filter energies below that of 8-bit quantisation noise (about 1e-3 for a
# filter here) are raised to it: silence then measures alike in both files.
NOISE_FLOOR = 1e-3


def read(path, quantise):
    with wave.open(path, 'rb') as w:
        rate, width, channels = w.getframerate(), w.getsampwidth(), w.getnchannels()
        data = w.readframes(w.getnframes())
    if width == 1:
        x = (np.frombuffer(data, np.uint8).astype(np.float64) - 128) / 128
    else:
        x = np.frombuffer(data, np.int16).astype(np.float64) / 32768
    if channels > 1:
        x = x.reshape(-1, channels).mean(axis=1)
    if rate != RATE:
        x = resample(x, rate)
    if not quantise:
        return x
    # The output format: 8-bit unsigned.
    return np.clip(np.round(x * 127 + 128), 0, 255) / 128 - 1


def resample(x, rate):
    """Band-limited resampling by FFT to RATE."""
    n = int(round(len(x) * RATE / rate))
    spectrum = np.fft.rfft(x)
    keep = n // 2 + 1
    out = np.zeros(keep, complex)
    m = min(keep, len(spectrum))
    out[:m] = spectrum[:m]
    return np.fft.irfft(out, n) * n / len(x)


def mel(f):
    return 2595 * np.log10(1 + f / 700)


FILTERBANK = None


def filterbank():
    global FILTERBANK
    if FILTERBANK is None:
        edges = 700 * (10 ** (np.linspace(mel(0), mel(RATE / 2), FILTERS + 2) / 2595) - 1)
        bins = np.fft.rfftfreq(FFT, 1 / RATE)
        bank = np.zeros((FILTERS, len(bins)))
        for i in range(FILTERS):
            lo, mid, hi = edges[i], edges[i + 1], edges[i + 2]
            bank[i] = np.clip(np.minimum((bins - lo) / (mid - lo), (hi - bins) / (hi - mid)), 0, None)
        FILTERBANK = bank
    return FILTERBANK


def cepstra(x):
    count = max(1, 1 + (len(x) - WINDOW) // HOP)
    x = np.pad(x, (0, max(0, WINDOW - len(x))))
    frames = np.stack([x[i * HOP:i * HOP + WINDOW] for i in range(count)]) * np.hamming(WINDOW)
    power = np.abs(np.fft.rfft(frames, FFT)) ** 2
    energy = 10 * np.log10(power.sum(axis=1) + 1e-10)
    voiced = np.nonzero(energy > energy.max() - 40)[0]
    frames_power = power[voiced[0]:voiced[-1] + 1]
    logmel = np.log10(np.maximum(frames_power @ filterbank().T, NOISE_FLOOR))
    n = np.arange(FILTERS)
    dct = np.cos(np.pi / FILTERS * (n[None, :] + 0.5) * np.arange(COEFFS + 1)[:, None]) * math.sqrt(2 / FILTERS)
    return (logmel @ dct.T)[:, 1:]


def dtw_mean(a, b):
    """Mean frame distance along the cheapest alignment path."""
    cost = np.sqrt(((a[:, None, :] - b[None, :, :]) ** 2).sum(axis=2))
    n, m = cost.shape
    total = np.full((n + 1, m + 1), np.inf)
    total[0, 0] = 0
    for i in range(1, n + 1):
        # total[i, j] = c[j] + min(total[i-1, j-1], total[i-1, j], total[i, j-1]), the last
        # term unrolled: a running minimum over the row, offset by the row's running sum.
        c = cost[i - 1]
        through = c + np.minimum(total[i - 1, :-1], total[i - 1, 1:])
        running = np.cumsum(c)
        total[i, 1:] = running + np.minimum.accumulate(through - running)
    steps, i, j = 1, n, m
    while (i, j) != (1, 1):
        moves = [(i - 1, j - 1), (i - 1, j), (i, j - 1)]
        i, j = min((p for p in moves if p[0] >= 1 and p[1] >= 1), key=lambda p: total[p])
        steps += 1
    return total[n, m] / steps


def main():
    recordings, synth, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    distances, recorded, synthesised = [], 0, 0
    for name in names:
        a = cepstra(read(f'{recordings}/{name}.wav', False))
        b = cepstra(read(f'{synth}/{name}.wav', True))
        distances.append(10 / math.log(10) * math.sqrt(2) * dtw_mean(a, b))
        recorded += len(a)
        synthesised += len(b)
    print(f'{np.mean(distances):.1f} {synthesised / recorded:.2f}')


if __name__ == '__main__':
    main()
