// Late binding: type information, names to dispatch identifiers, and Invoke with typed and VARIANT references.
#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "host.h"

namespace {

using namespace k42host;

// An argument of type `vt` whose (by-reference) pointer is `ref`.
VARIANT Arg(VARTYPE vt, void* ref = nullptr) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  v.byref = ref;
  return v;
}
VARIANT Text(BSTR text) {
  VARIANT v = Arg(VT_BSTR);
  v.bstrVal = text;
  return v;
}
VARIANT RefTo(BSTR* text) { return Arg(VT_BYREF | VT_BSTR, text); }
VARIANT RefTo(VARIANT* variant) { return Arg(VT_BYREF | VT_VARIANT, variant); }
VARIANT RefTo(LONG* number) { return Arg(VT_BYREF | VT_I4, number); }

// What a script variable holds, or a marker for another type.
LONG Long(const VARIANT& v) { return v.vt == VT_I4 ? v.lVal : -12345; }
std::u16string Str(const VARIANT& v) { return v.vt == VT_BSTR && v.bstrVal ? v.bstrVal : u"<not a string>"; }

// Calls method `id` with the arguments in the method's order (DISPPARAMS gets them reversed).
HRESULT Call(IDispatch* object, DISPID id, std::initializer_list<VARIANT> args, UINT* argErr = nullptr,
             WORD flags = DISPATCH_METHOD, VARIANT* result = nullptr) {
  std::vector<VARIANTARG> reversed(std::rbegin(args), std::rend(args));
  DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, argErr);
}

using Dispatch = HostTest;

TEST_F(Dispatch, TypeInformationAndNames) {
  UINT count = 0;
  EXPECT_EQ(m->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(m->GetTypeInfo(0, 0, nullptr), E_POINTER);
  AutoPtr<ITypeInfo> info, again;
  ASSERT_EQ(m->GetTypeInfo(0, 0, &info), S_OK);
  ASSERT_EQ(m->GetTypeInfo(7, 0, &again), S_OK);
  EXPECT_EQ(info.Get(), again.Get());

  AutoBstr name, help;
  ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Text(), u"IGuiXmlModel");
  EXPECT_EQ(help.Text(), u"IGuiXmlModel Interface");
  for (MEMBERID id = 1; id <= 42; ++id) {
    ASSERT_EQ(info->GetDocumentation(id, &name, &help, nullptr, nullptr), S_OK);
    std::u16string expected = u"method " + name.Text();
    if (name.Text() == u"GetFunctionIdIsOnline") expected = u"method GetStatus";
    if (name.Text() == u"GetParameterDatatype") expected += u" ";
    EXPECT_EQ(help.Text(), expected);
    LPOLESTR names[] = {name};
    MEMBERID back = 0;
    EXPECT_EQ(info->GetIDsOfNames(names, 1, &back), S_OK);
    EXPECT_EQ(back, id);
  }
  ASSERT_EQ(info->GetDocumentation(34, &name, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(name.Text(), u"GetFunctionIdIsOnline");
  EXPECT_EQ(info->GetDocumentation(43, &name, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);

  // Names are matched without case.
  OLECHAR method[] = u"getguilabel", parameter[] = u"PBSTRLABELTEXT", unknown[] = u"GetGuiLabels";
  LPOLESTR names[] = {method, parameter};
  DISPID ids[2] = {};
  EXPECT_EQ(m->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
  EXPECT_TRUE(ids[0] == 37 && ids[1] == 1) << ids[0] << " " << ids[1];
  names[0] = unknown;
  EXPECT_EQ(m->GetIDsOfNames(IID_NULL, names, 1, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
}

TEST_F(Dispatch, InputsAreConvertedAndOutputsWrittenThroughEitherReference) {
  AutoBstr init(u"HelpApplication=viewer|HelpParameter=-p");
  AutoVariant result;
  result.vt = VT_I4;
  EXPECT_EQ(Call(m, 38, {Text(init)}, nullptr, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &result), S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY) << "an HRESULT is no return value";

  AutoBstr typed;
  ASSERT_EQ(Call(m, 39, {RefTo(&typed)}), S_OK);
  EXPECT_EQ(typed.Text(), u"HelpApplication=viewer|HelpParameter=-p");
  AutoVariant byVariant;
  byVariant.vt = VT_I4;  // a script variable holding a number before the call
  ASSERT_EQ(Call(m, 39, {RefTo(&byVariant)}), S_OK);
  EXPECT_EQ(Str(byVariant), u"HelpApplication=viewer|HelpParameter=-p");

  // A number passed for a text input arrives as its text.
  VARIANT number = Arg(VT_I4);
  number.lVal = 42;
  ASSERT_EQ(Call(m, 38, {number}), S_OK);
  ASSERT_EQ(Call(m, 39, {RefTo(&byVariant)}), S_OK);
  EXPECT_EQ(Str(byVariant), u"42");

  // An output the method leaves alone stays as the caller had it (S_FALSE: no such key).
  AutoBstr key(u"HelpParameter");
  AutoVariant value;
  value.vt = VT_I4;
  value.lVal = 99;
  EXPECT_EQ(Call(m, 41, {Text(key), RefTo(&value)}), S_FALSE);
  EXPECT_EQ(Long(value), 99);
}

TEST_F(Dispatch, IntegerOutputsThroughIntegerAndVariantReferences) {
  ASSERT_EQ(LoadDemo(m, 2), S_OK);
  LONG online = -1;
  EXPECT_EQ(Call(m, 34, {RefTo(&online)}), S_OK);
  EXPECT_EQ(online, 1);
  AutoVariant flag;
  EXPECT_EQ(Call(m, 34, {RefTo(&flag)}), S_OK);
  EXPECT_EQ(Long(flag), 1);

  // GetDisplayItems: a text, an array and an integer output, all as script variables.
  AutoBstr module(u"modSetup"), display(u"disOutput");
  AutoVariant path, items, condition;
  ASSERT_EQ(Call(m, 13, {Text(module), Text(display), RefTo(&path), RefTo(&items), RefTo(&condition)}), S_OK);
  EXPECT_EQ(path.vt, VT_BSTR);
  EXPECT_EQ(Shape(items), (std::vector<LONG>{7, 15}));
  EXPECT_EQ(Long(condition), 1);

  // A script variable that still holds the array of the last call gives it up (the leak check sees it).
  ASSERT_EQ(Call(m, 13, {Text(module), Text(display), RefTo(&path), RefTo(&items), RefTo(&condition)}), S_OK);
  EXPECT_EQ(Shape(items), (std::vector<LONG>{7, 15}));
  // An array the method does not write leaves the variable as it was.
  AutoBstr unknown(u"disNone");
  EXPECT_EQ(Call(m, 13, {Text(module), Text(unknown), RefTo(&path), RefTo(&items), RefTo(&condition)}), S_FALSE);
  EXPECT_EQ(Shape(items), (std::vector<LONG>{7, 15}));
}

TEST_F(Dispatch, BadCallsAreRefused) {
  AutoBstr key(u"HelpApplication"), out;
  UINT argErr = 99;
  EXPECT_EQ(Call(m, 41, {Text(key)}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(m, 0, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(m, 43, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(m, 39, {RefTo(&out)}, nullptr, DISPATCH_PROPERTYPUT), DISP_E_MEMBERNOTFOUND);

  EXPECT_EQ(Call(m, 41, {Arg(VT_NULL), RefTo(&out)}, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 1u) << "the key is the second argument as DISPPARAMS holds them";
  EXPECT_EQ(Call(m, 41, {Text(key), Text(key)}, &argErr), DISP_E_TYPEMISMATCH) << "an output passed by value";
  EXPECT_EQ(argErr, 0u);
  LONG number = 0;
  EXPECT_EQ(Call(m, 41, {Text(key), RefTo(&number)}, &argErr), DISP_E_TYPEMISMATCH);

  VARIANTARG arg = Text(key);
  DISPID named = 0;
  DISPPARAMS params = {&arg, &named, 1, 1};
  EXPECT_EQ(m->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), DISP_E_NONAMEDARGS);
  params = {&arg, nullptr, 1, 0};
  EXPECT_EQ(m->Invoke(3, IID_IGuiXmlModel, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
}

}  // namespace
