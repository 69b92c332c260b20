#!/usr/bin/env python3
"""Writes what a workbook holds, one line per item, into an output file:

    sheets <name of each sheet, comma-separated>
    width <column letter> <width>
    cell <address> <openpyxl data type> <value as JSON>

Usage: read_xlsx.py <workbook.xlsx> <output.txt>
"""
import json
import sys

import openpyxl


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    sheet = book.worksheets[0]
    lines = ["sheets " + ",".join(ws.title for ws in book.worksheets)]
    for letter, dim in sorted(sheet.column_dimensions.items()):
        if dim.width is not None and dim.customWidth:
            lines.append(f"width {letter} {dim.width}")
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                value = json.dumps(cell.value, ensure_ascii=False)
                lines.append(f"cell {cell.coordinate} {cell.data_type} {value}")
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
