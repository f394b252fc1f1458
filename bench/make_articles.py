#!/usr/bin/env python3
"""Writes a spare-parts list of N articles as a semicolon CSV export with
decimal commas, for the end-to-end benchmark of stk_batch.

    make_articles.py N OUTPUT.csv
"""
import random
import sys


def main():
    count = int(sys.argv[1])
    rng = random.Random(11)
    with open(sys.argv[2], "w", encoding="utf-8", newline="") as out:
        out.write("Référence;Désignation;cct;tst;nbt;dat;pst;uut;dvt;crt\r\n")
        lines = []
        for i in range(count):
            price = f"{rng.randint(1, 99999)},{rng.randint(0, 99):02d}"
            lines.append(
                f"REF-{i:08d};\"Roulement; type {i % 97}\";50;2;{rng.randint(1, 12)};{rng.randint(1, 26)};"
                f"{price};{rng.randint(100, 8760)};{rng.randint(1000, 100000)};{rng.randint(10, 5000)}\r\n")
            if len(lines) == 10000:
                out.write("".join(lines))
                lines = []
        out.write("".join(lines))


if __name__ == "__main__":
    main()
