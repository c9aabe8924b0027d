"""Validates return files against the return file's schema (JSON Schema draft 2020-12).

usage: validate_return.py SCHEMA FILE...
Prints one line per file: "valid FILE" or "invalid FILE: PATH: MESSAGE" (its first fault).
"""
import json
import sys

import jsonschema

with open(sys.argv[1], encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(
    schema, format_checker=jsonschema.Draft202012Validator.FORMAT_CHECKER)
for name in sys.argv[2:]:
    with open(name, encoding="utf-8") as f:
        document = json.load(f)
    errors = sorted(validator.iter_errors(document), key=lambda e: list(e.path))
    if errors:
        path = ".".join(str(p) for p in errors[0].absolute_path)
        print(f"invalid {name}: {path}: {errors[0].message}")
    else:
        print(f"valid {name}")
